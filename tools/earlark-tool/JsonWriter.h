#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Builds one JSON value as text, compactly, keys in the order written. Strings are UTF-8 and
// escaped as JSON requires.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);

    JsonWriter& String(std::string_view utf8);
    JsonWriter& Int(std::int64_t value);
    JsonWriter& UInt(std::uint64_t value);
    JsonWriter& Number(double value);
    JsonWriter& Bool(bool value);

    const std::string& Text() const { return m_text; }

private:
    void BeforeValue();

    std::string m_text;
    bool m_needComma = false;
};
