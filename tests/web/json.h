#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A JSON value, as WebDriver and the DevTools protocol send and take them: enough to
// write commands and read their answers. Strings are UTF-8. Objects keep their keys in
// order of writing, and a reader finds a key by a linear search: answers are small.
class Json {
public:
    enum class Type { Null, Bool, Number, String, Array, Object };
    using Array = std::vector<Json>;
    using Member = std::pair<std::string, Json>;
    using Object = std::vector<Member>;

    Json() = default;
    Json(std::nullptr_t) {}
    Json(bool value) : m_type(Type::Bool), m_bool(value) {}
    Json(int value) : m_type(Type::Number), m_number(value) {}
    Json(double value) : m_type(Type::Number), m_number(value) {}
    Json(const char *value) : m_type(Type::String), m_string(value) {}
    Json(std::string value) : m_type(Type::String), m_string(std::move(value)) {}
    Json(Array values) : m_type(Type::Array), m_array(std::move(values)) {}
    /// An object, written as {{"key", value}, ...}.
    static Json object(std::initializer_list<Member> members = {});
    static Json array(std::initializer_list<Json> values = {}) { return Json(Array(values)); }

    Type type() const { return m_type; }
    bool isNull() const { return m_type == Type::Null; }
    bool isString() const { return m_type == Type::String; }
    bool isObject() const { return m_type == Type::Object; }

    bool boolean() const;
    double number() const;
    int integer() const { return static_cast<int>(number()); }
    const std::string &string() const;
    const Array &items() const;
    const Object &members() const;
    /// The member `key` of an object; throws if there is none.
    const Json &operator[](std::string_view key) const;
    /// The member `key`, or nullptr.
    const Json *find(std::string_view key) const;
    const Json &operator[](std::size_t index) const { return items().at(index); }
    std::size_t size() const { return m_type == Type::Object ? m_object.size() : items().size(); }

    /// Adds a member to an object (or makes a null an object).
    Json &set(std::string key, Json value);
    /// Adds an item to an array (or makes a null an array).
    Json &push(Json value);

    std::string dump() const;
    /// Reads one JSON text; throws std::runtime_error on anything else.
    static Json parse(std::string_view text);

private:
    void write(std::string &out) const;

    Type m_type = Type::Null;
    bool m_bool = false;
    double m_number = 0;
    std::string m_string;
    Array m_array;
    Object m_object;
};
