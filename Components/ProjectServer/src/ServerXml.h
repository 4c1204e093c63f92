// The project server's own handling of the XML texts it stores: parsing that keeps every
// byte of the values (whitespace-only texts, carriage returns), and one canonical way of
// writing a tree back: no declaration, no blanks added, `<A></A>` for empty elements, text
// escaped as the client's writers escape it (& < > " ' and carriage return). An element
// whose content is one text keeps it as its own value (half the nodes of a project):
// TextOf, SetText and the writer read and write both forms.
#pragma once

#include <pugixml.hpp>

#include <string>

namespace projectserver {

// The deepest a node of a stored text may lie (the document element at 0): the readers
// refuse deeper texts, and the writers refuse to make one.
extern const int kMaxXmlDepth;  // 1024

// Whether no node below `top` lies more than `limit` levels under it.
bool WithinDepth(pugi::xml_node top, int limit = kMaxXmlDepth);

// False, with a reason, when the text is not one well-formed document or is nested deeper
// than kMaxXmlDepth (then `tooDeep` is set when given).
bool ParseStored(const std::string& utf8, pugi::xml_document& doc, std::string& error, bool* tooDeep = nullptr);
std::string WriteCanonical(const pugi::xml_node& node);
std::string EscapeText(const std::string& utf8);

// The element's character data; "" when it has none.
std::string TextOf(pugi::xml_node element);
// Replaces the element's content with one text.
void SetText(pugi::xml_node element, const std::string& text);
// The element's text read as a number (leading digits, 0 when none, as atoi).
long NumberOf(pugi::xml_node element);

} // namespace projectserver
