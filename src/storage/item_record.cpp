#include "storage/item_record.h"

#include "storage/cp932_codec.h"
#include "storage/field_text.h"

#include <cstring>

ItemRecord::ItemRecord()
{
    clear();
}

void ItemRecord::clear()
{
    m_bytes.fill(' ');
    setRecordEnd();
}

void ItemRecord::setRecordEnd()
{
    m_bytes[EndStart] = '\r';
    m_bytes[EndStart + 1] = '\n';
}

QString ItemRecord::text(int i) const
{
    return FieldText(m_bytes.data() + textOffset(i), TextWidth);
}

QString ItemRecord::qty(int r, int c) const
{
    return FieldText(m_bytes.data() + qtyOffset(r, c), QtyWidth);
}

double ItemRecord::textNumber(int i) const
{
    return ReadFieldNumber(m_bytes.data() + textOffset(i), TextWidth);
}

double ItemRecord::qtyNumber(int r, int c) const
{
    return ReadFieldNumber(m_bytes.data() + qtyOffset(r, c), QtyWidth);
}

void ItemRecord::setText(int i, const QString& value)
{
    setField(textOffset(i), TextWidth, value);
}

void ItemRecord::setQty(int r, int c, const QString& value)
{
    setField(qtyOffset(r, c), QtyWidth, value);
}

void ItemRecord::setField(int offset, int width, const QString& value)
{
    const QByteArray bytes = Cp932::encodeToWidth(value, width);
    char* field = m_bytes.data() + offset;
    std::memcpy(field, bytes.constData(), static_cast<size_t>(bytes.size()));
    std::memset(field + bytes.size(), ' ', static_cast<size_t>(width - bytes.size()));
}
