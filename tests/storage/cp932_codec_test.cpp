#include "storage/cp932_codec.h"

#include <gtest/gtest.h>

TEST(Cp932Codec, RoundTripsJapanese)
{
    const QString text = QStringLiteral("品　名ｶﾀｶﾅ①髙");
    EXPECT_EQ(Cp932::decode(Cp932::encode(text)), text);
}
