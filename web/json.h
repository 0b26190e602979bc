// SPDX-License-Identifier: MIT
#pragma once

#include "core/window_model.h"

#include <cmath>
#include <string>
#include <string_view>

namespace kalvo::web {

// A JSON text, written in order; the commas come by themselves.
class Json {
public:
    Json& open(char bracket)
    {
        separate();
        m_text += bracket;
        m_first = true;
        return *this;
    }

    Json& close(char bracket)
    {
        m_text += bracket;
        m_first = false;
        return *this;
    }

    Json& key(std::string_view name)
    {
        value(name);
        m_text += ':';
        m_first = true;
        return *this;
    }

    // The core's strings are UTF-8; only quotes, backslashes and control
    // characters need escaping.
    Json& value(std::string_view text)
    {
        separate();
        m_text += '"';
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\')
                m_text += '\\';
            if (byte < 0x20U) {
                m_text += "\\u00";
                appendHex(byte);
            } else {
                m_text += c;
            }
        }
        m_text += '"';
        return *this;
    }

    Json& value(int number)
    {
        separate();
        m_text += std::to_string(number);
        return *this;
    }

    Json& value(bool flag)
    {
        separate();
        m_text += flag ? "true" : "false";
        return *this;
    }

    // Two decimals are enough for a point size; to_chars' shortest form
    // would bring tables of its own into the WebAssembly.
    Json& value(double number)
    {
        separate();
        const long hundredths = std::lround(number * 100);
        if (hundredths < 0)
            m_text += '-';
        const unsigned long magnitude = hundredths < 0 ? 0UL - static_cast<unsigned long>(hundredths)
                                                       : static_cast<unsigned long>(hundredths);
        m_text += std::to_string(magnitude / 100);
        m_text += '.';
        m_text += static_cast<char>('0' + magnitude % 100 / 10);
        m_text += static_cast<char>('0' + magnitude % 10);
        return *this;
    }

    // A string literal is text, not a flag.
    Json& value(const char* text) { return value(std::string_view(text)); }

    // 0x00BBGGRR as CSS writes it.
    Json& color(Color color)
    {
        separate();
        m_text += "\"#";
        for (const unsigned shift : {0U, 8U, 16U})
            appendHex((color >> shift) & 0xFFU);
        m_text += '"';
        return *this;
    }

    template <typename Value> Json& field(std::string_view name, Value value)
    {
        key(name);
        return this->value(value);
    }

    [[nodiscard]] const std::string& text() const { return m_text; }

private:
    void separate()
    {
        if (!m_first)
            m_text += ',';
        m_first = false;
    }

    void appendHex(unsigned byte)
    {
        constexpr std::string_view digits = "0123456789abcdef";
        m_text += digits[(byte >> 4U) & 0xFU];
        m_text += digits[byte & 0xFU];
    }

    std::string m_text;
    bool m_first = true;
};

} // namespace kalvo::web
