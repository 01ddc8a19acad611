#include "storage/safe_file.h"

IoResult WriteFileAtomically(const QString& path, const QByteArray& content, std::chrono::milliseconds patience)
{
    FileReplacement replacement(path, patience);
    if (const IoResult opened = replacement.open(); !opened)
        return opened;
    if (const IoResult written = replacement.write(0, content.constData(), content.size()); !written)
        return written;
    return replacement.commit();
}
