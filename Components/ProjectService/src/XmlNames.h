// Namespace-aware name matching on pugixml elements: local names and the namespace that
// the xmlns declarations in scope give an element.
#pragma once

#include <pugixml.hpp>

#include <cstring>
#include <string>

namespace projectsoap {

inline const char* LocalName(const char* qualified)
{
    const char* colon = std::strchr(qualified, ':');
    return colon ? colon + 1 : qualified;
}

inline std::string NamespaceOf(pugi::xml_node element)
{
    const char* name = element.name();
    const char* colon = std::strchr(name, ':');
    std::string attribute = colon ? "xmlns:" + std::string(name, colon - name) : std::string("xmlns");
    for (pugi::xml_node n = element; n && n.type() == pugi::node_element; n = n.parent()) {
        pugi::xml_attribute a = n.attribute(attribute.c_str());
        if (a)
            return a.value();
    }
    return std::string();
}

inline bool IsElement(pugi::xml_node n, const char* localName, const char* ns)
{
    return n.type() == pugi::node_element && std::strcmp(LocalName(n.name()), localName) == 0 &&
           NamespaceOf(n) == ns;
}

} // namespace projectsoap
