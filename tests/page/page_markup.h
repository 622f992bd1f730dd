#pragma once

// Reading the written page back, for the page generator's suites: elements by id, their
// attributes and text, and the style rules written for them.

#include "page_text.h"
#include "page_writer.h"
#include "stored_form.h"

#include <string>

inline PageParts siteParts()
{
    PageParts parts;
    parts.iconUrl = "data:image/png;base64,AAAA";
    return parts;
}

inline const std::string &sitePage()
{
    static const std::string page = writePage(siteParts());
    return page;
}

// The start tag of the one element whose id is `id`; empty when there is none or more.
inline std::string startTag(const std::string &page, const std::string &id)
{
    const std::string needle = " id=\"" + id + "\"";
    const std::size_t at = page.find(needle);
    if (at == std::string::npos || page.find(needle, at + 1) != std::string::npos)
        return {};
    const std::size_t open = page.rfind('<', at);
    return page.substr(open, page.find('>', at) - open + 1);
}

// The value of an attribute of a start tag; "(none)" when it has none.
inline std::string attributeOf(const std::string &tag, const std::string &name)
{
    const std::string needle = " " + name + "=\"";
    const std::size_t at = tag.find(needle);
    if (at == std::string::npos)
        return "(none)";
    const std::size_t start = at + needle.size();
    return tag.substr(start, tag.find('"', start) - start);
}

inline bool hasAttribute(const std::string &tag, const std::string &name)
{
    return tag.find(" " + name + " ") != std::string::npos
           || tag.find(" " + name + ">") != std::string::npos
           || tag.find(" " + name + "=") != std::string::npos;
}

// The text after an element's start tag, up to the next tag.
inline std::string contentOf(const std::string &page, const std::string &id)
{
    const std::string tag = startTag(page, id);
    const std::size_t start = page.find(tag) + tag.size();
    return page.substr(start, page.find('<', start) - start);
}

// The declarations of the last style rule "#id{...}": the one written from the stored
// window, after the page's fixed look.
inline std::string ruleOf(const std::string &page, const std::string &id)
{
    const std::string needle = "\n#" + id + "{";
    const std::size_t at = page.rfind(needle);
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + needle.size();
    return page.substr(start, page.find('}', start) - start);
}

inline std::string tw(int twips)
{
    return "calc(" + std::to_string(twips) + "*var(--tw))";
}

inline std::string name(Control control)
{
    return controlName(control);
}
