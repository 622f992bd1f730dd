#include "json.h"

#include "utf8.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void wrongType(const char *wanted)
{
    throw std::runtime_error(std::string("JSON: not ") + wanted);
}

void writeString(std::string &out, const std::string &text)
{
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c; // UTF-8 passes as it is
        }
    }
    out += '"';
}

class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    Json document()
    {
        Json value = read();
        skipSpace();
        if (m_at != m_text.size())
            fail("text after the value");
        return value;
    }

private:
    [[noreturn]] void fail(const char *what) const
    {
        throw std::runtime_error("JSON: " + std::string(what) + " at " + std::to_string(m_at));
    }
    void skipSpace()
    {
        while (m_at < m_text.size()
               && (m_text[m_at] == ' ' || m_text[m_at] == '\n' || m_text[m_at] == '\r'
                   || m_text[m_at] == '\t'))
            ++m_at;
    }
    char peek()
    {
        skipSpace();
        if (m_at >= m_text.size())
            fail("unexpected end");
        return m_text[m_at];
    }
    void expect(char c)
    {
        if (peek() != c)
            fail("unexpected character");
        ++m_at;
    }
    bool literal(std::string_view word)
    {
        if (m_text.substr(m_at, word.size()) != word)
            return false;
        m_at += word.size();
        return true;
    }

    Json read()
    {
        const char c = peek();
        if (c == '{')
            return readObject();
        if (c == '[')
            return readArray();
        if (c == '"')
            return Json(readString());
        if (literal("true"))
            return Json(true);
        if (literal("false"))
            return Json(false);
        if (literal("null"))
            return Json();
        return readNumber();
    }

    Json readObject()
    {
        expect('{');
        Json object = Json::object();
        if (peek() == '}') {
            ++m_at;
            return object;
        }
        for (;;) {
            if (peek() != '"')
                fail("a key must be a string");
            std::string key = readString();
            expect(':');
            object.set(std::move(key), read());
            if (peek() == ',') {
                ++m_at;
                continue;
            }
            expect('}');
            return object;
        }
    }

    Json readArray()
    {
        expect('[');
        Json array = Json::array();
        if (peek() == ']') {
            ++m_at;
            return array;
        }
        for (;;) {
            array.push(read());
            if (peek() == ',') {
                ++m_at;
                continue;
            }
            expect(']');
            return array;
        }
    }

    unsigned hex4()
    {
        if (m_at + 4 > m_text.size())
            fail("short \\u escape");
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = m_text[m_at++];
            code <<= 4;
            if (h >= '0' && h <= '9')
                code |= unsigned(h - '0');
            else if (h >= 'a' && h <= 'f')
                code |= unsigned(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                code |= unsigned(h - 'A' + 10);
            else
                fail("bad \\u escape");
        }
        return code;
    }

    std::string readString()
    {
        expect('"');
        std::string out;
        for (;;) {
            if (m_at >= m_text.size())
                fail("unterminated string");
            const char c = m_text[m_at++];
            if (c == '"')
                return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_at >= m_text.size())
                fail("unterminated escape");
            const char e = m_text[m_at++];
            switch (e) {
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                // A \uXXXX escape, or two for a character beyond the first plane.
                std::u16string units(1, static_cast<char16_t>(hex4()));
                if (units[0] >= 0xD800 && units[0] < 0xDC00 && literal("\\u"))
                    units += static_cast<char16_t>(hex4());
                out += utf8(units);
                break;
            }
            default:
                out += e; // \" \\ \/
            }
        }
    }

    Json readNumber()
    {
        const std::size_t start = m_at;
        while (m_at < m_text.size()
               && std::string_view("+-0123456789.eE").find(m_text[m_at]) != std::string_view::npos)
            ++m_at;
        if (m_at == start)
            fail("unexpected character");
        const std::string digits(m_text.substr(start, m_at - start));
        char *end = nullptr;
        const double value = std::strtod(digits.c_str(), &end);
        if (end != digits.c_str() + digits.size())
            fail("bad number");
        return Json(value);
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

} // namespace

Json Json::object(std::initializer_list<Member> members)
{
    Json json;
    json.m_type = Type::Object;
    json.m_object.assign(members.begin(), members.end());
    return json;
}

bool Json::boolean() const
{
    if (m_type != Type::Bool)
        wrongType("a boolean");
    return m_bool;
}

double Json::number() const
{
    if (m_type != Type::Number)
        wrongType("a number");
    return m_number;
}

const std::string &Json::string() const
{
    if (m_type != Type::String)
        wrongType("a string");
    return m_string;
}

const Json::Array &Json::items() const
{
    if (m_type != Type::Array)
        wrongType("an array");
    return m_array;
}

const Json::Object &Json::members() const
{
    if (m_type != Type::Object)
        wrongType("an object");
    return m_object;
}

const Json *Json::find(std::string_view key) const
{
    for (const Member &member : members()) {
        if (member.first == key)
            return &member.second;
    }
    return nullptr;
}

const Json &Json::operator[](std::string_view key) const
{
    if (const Json *value = find(key))
        return *value;
    throw std::runtime_error("JSON: no member " + std::string(key) + " in " + dump());
}

Json &Json::set(std::string key, Json value)
{
    if (m_type == Type::Null)
        m_type = Type::Object;
    if (m_type != Type::Object)
        wrongType("an object");
    m_object.emplace_back(std::move(key), std::move(value));
    return *this;
}

Json &Json::push(Json value)
{
    if (m_type == Type::Null)
        m_type = Type::Array;
    if (m_type != Type::Array)
        wrongType("an array");
    m_array.push_back(std::move(value));
    return *this;
}

void Json::write(std::string &out) const
{
    switch (m_type) {
    case Type::Null:
        out += "null";
        return;
    case Type::Bool:
        out += m_bool ? "true" : "false";
        return;
    case Type::Number: {
        if (!std::isfinite(m_number))
            throw std::runtime_error("JSON: a number that is not finite");
        char text[32];
        if (m_number == std::floor(m_number) && std::fabs(m_number) < 1e15)
            std::snprintf(text, sizeof text, "%.0f", m_number);
        else
            std::snprintf(text, sizeof text, "%.17g", m_number);
        out += text;
        return;
    }
    case Type::String:
        writeString(out, m_string);
        return;
    case Type::Array:
        out += '[';
        for (std::size_t i = 0; i < m_array.size(); ++i) {
            if (i)
                out += ',';
            m_array[i].write(out);
        }
        out += ']';
        return;
    case Type::Object:
        out += '{';
        for (std::size_t i = 0; i < m_object.size(); ++i) {
            if (i)
                out += ',';
            writeString(out, m_object[i].first);
            out += ':';
            m_object[i].second.write(out);
        }
        out += '}';
        return;
    }
}

std::string Json::dump() const
{
    std::string out;
    write(out);
    return out;
}

Json Json::parse(std::string_view text)
{
    return Reader(text).document();
}
