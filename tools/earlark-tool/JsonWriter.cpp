#include "JsonWriter.h"

#include <cstdio>

void JsonWriter::BeforeValue() {
    if (m_needComma) {
        m_text += ',';
    }
    m_needComma = true;
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    m_text += '{';
    m_needComma = false;
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    m_text += '}';
    m_needComma = true;
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    m_text += '[';
    m_needComma = false;
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    m_text += ']';
    m_needComma = true;
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    String(key);
    m_text += ':';
    m_needComma = false;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view utf8) {
    BeforeValue();
    m_text += '"';
    for (char ch : utf8) {
        auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            m_text += "\\\"";
            break;
        case '\\':
            m_text += "\\\\";
            break;
        case '\n':
            m_text += "\\n";
            break;
        case '\r':
            m_text += "\\r";
            break;
        case '\t':
            m_text += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                m_text += buf;
            } else {
                m_text += ch;
            }
        }
    }
    m_text += '"';
    return *this;
}

JsonWriter& JsonWriter::Int(std::int64_t value) {
    BeforeValue();
    m_text += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::UInt(std::uint64_t value) {
    BeforeValue();
    m_text += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Number(double value) {
    BeforeValue();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", value);
    m_text += buf;
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeValue();
    m_text += value ? "true" : "false";
    return *this;
}
