#pragma once

#include <cctype>
#include <string>

// Table rows carry a name that says the case ("0.745 kg rounds up to 0.75"). GoogleTest
// lists each row under that name, with every run of other characters made one '_', as
// its names allow only letters, digits and '_'.
inline std::string rowName(const std::string &description)
{
    std::string name;
    for (const char c : description) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    return name;
}

/// Names the rows of a parameterised GoogleTest suite after each row's `name` member.
struct ByRowName {
    template <class ParamInfo>
    std::string operator()(const ParamInfo &info) const
    {
        return rowName(info.param.name);
    }
};
