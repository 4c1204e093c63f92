// Loading a text into the DOM.
#include <XmlDom/XmlDom.h>

#include "XmlDepth.h"
#include "XmlText.h"

#include <ClassLib/Core/Conversion.h>

#include <pugixml.hpp>

#include <string>
#include <utility>

namespace {

// Zero bytes kept after the parsed text (CXmlNode::kNameReadAhead).
const size_t kSpareBytes = CXmlNode::kNameReadAhead;

unsigned int ParseOptions(BOOL preserveWhiteSpace)
{
    // No end-of-line folding and no whitespace folding in attributes: values keep their
    // bytes. Parsed as a fragment so that text outside the document element is seen (and
    // refused below) rather than silently dropped.
    // The text an element starts with is embedded in the element (see XmlNode.cpp): a
    // project's leaves then cost one node each instead of two.
    unsigned int options = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_comments | pugi::parse_pi |
                           pugi::parse_fragment | pugi::parse_embed_pcdata;
    if (preserveWhiteSpace)
        options |= pugi::parse_ws_pcdata;
    return options;
}

bool IsWhiteSpace(const char* s)
{
    for (; *s; ++s) {
        if (*s != ' ' && *s != '\t' && *s != '\r' && *s != '\n')
            return false;
    }
    return true;
}

// Finds an element nested deeper than the limit (a top-level element has depth 1). The
// tree walk is pugixml's own loop; only nodes at or below the limit are looked at more
// closely, and the walk stops at the first element found there.
class CDepthCheck : public pugi::xml_tree_walker
{
public:
    explicit CDepthCheck(int limit) : m_limit(limit) {}
    bool tooDeep() const { return m_tooDeep; }

    bool for_each(pugi::xml_node& node) override
    {
        // depth() counts from 0 for the top-level nodes.
        if (depth() >= m_limit && node.type() == pugi::node_element) {
            m_tooDeep = true;
            return false;
        }
        return true;
    }

private:
    int m_limit;
    bool m_tooDeep = false;
};

} // namespace

CXmlDocument::CXmlDocument() : m_doc(new pugi::xml_document) {}

CXmlDocument::~CXmlDocument() = default;

BOOL CXmlDocument::Fail(const char* utf8Reason, long offset)
{
    m_doc->reset();
    m_text = std::string();
    m_bLoaded = FALSE;
    m_strError = xmldom::ToCString(utf8Reason);
    m_nErrorOffset = offset;
    return FALSE;
}

void CXmlDocument::Reset()
{
    m_doc->reset();
    m_text = std::string();
    m_bLoaded = FALSE;
    m_strError = CString();
    m_nErrorOffset = -1;
}

BOOL CXmlDocument::LoadXml(const CString& cp936Text)
{
    bool bShallow = false;
    if (!Convert(cp936Text, bShallow))
        return FALSE;
    return Parse(bShallow);
}

BOOL CXmlDocument::LoadXml(CString&& cp936Text)
{
    bool bShallow = false;
    const BOOL bConverted = Convert(cp936Text, bShallow);
    {
        // Moved out so that its storage goes now (emptying it would keep the storage).
        CString released(std::move(cp936Text));
    }
    if (!bConverted)
        return FALSE;
    return Parse(bShallow);
}

BOOL CXmlDocument::Convert(const CString& cp936Text, bool& bShallow)
{
    Reset();

    // Converted piece by piece, each piece cut after an ASCII byte, and each piece's UTF-8
    // looked at for the nesting limit while it is fresh in the cache.
    const char* const text = cp936Text.GetString();
    const size_t size = static_cast<size_t>(cp936Text.GetLength());
    const size_t kPiece = 64 * 1024;
    xmldom::CNestingCount count(m_nMaxDepth);
    bShallow = m_nMaxDepth <= 0;
    try {
        m_text.reserve(size + size / 2 + 1 + kSpareBytes);
        size_t done = 0;
        while (done < size) {
            size_t stop = size - done > kPiece ? done + kPiece : size;
            if (stop < size) {
                size_t cut = stop;
                while (cut > done && (unsigned char)text[cut - 1] >= 0x80)
                    --cut;
                if (cut == done) {
                    while (stop < size && (unsigned char)text[stop - 1] >= 0x80)
                        ++stop;
                } else {
                    stop = cut;
                }
            }
            AppendUtf8FromCp936(m_text, text + done, stop - done);
            if (!bShallow)
                count.Feed(m_text.data(), m_text.size());
            done = stop;
        }
    } catch (...) {
        return Fail("out of memory while reading the XML text", -1);
    }
    if (!bShallow)
        bShallow = count.Finish(m_text.data(), m_text.size());
    return TRUE;
}

BOOL CXmlDocument::LoadXmlUtf8(const std::string& utf8Text)
{
    Reset();
    try {
        m_text.reserve(utf8Text.size() + 1 + kSpareBytes);
        m_text = utf8Text;
    } catch (...) {
        return Fail("out of memory while reading the XML text", -1);
    }
    return Parse(m_nMaxDepth <= 0 || xmldom::NestingWithin(m_text.data(), m_text.size(), m_nMaxDepth));
}

BOOL CXmlDocument::LoadXmlUtf8AsCp936(std::string&& utf8Text)
{
    Reset();
    try {
        if (xmldom::SameThroughCp936(utf8Text.data(), utf8Text.size())) {
            m_text = std::move(utf8Text);
            // A buffer much larger than its text (a reply the text was cut from) is not kept
            // beside the tree for the document's life.
            if (m_text.capacity() > m_text.size() + m_text.size() / 8 + 1 + kSpareBytes) {
                std::string exact;
                exact.reserve(m_text.size() + 1 + kSpareBytes);
                exact.append(m_text);
                m_text.swap(exact);
            }
        } else {
            const std::string cp936 = Cp936FromUtf8(utf8Text.data(), utf8Text.size());
            utf8Text = std::string();
            m_text = Utf8FromCp936(cp936.data(), cp936.size());
        }
        m_text.reserve(m_text.size() + 1 + kSpareBytes);
    } catch (...) {
        return Fail("out of memory while reading the XML text", -1);
    }
    {
        // Released now rather than when the caller's variable goes.
        std::string released(std::move(utf8Text));
    }
    return Parse(m_nMaxDepth <= 0 || xmldom::NestingWithin(m_text.data(), m_text.size(), m_nMaxDepth));
}

BOOL CXmlDocument::Parse(bool bShallow)
{
    pugi::xml_parse_result result;
    try {
        // Parsed in place; the parser overwrites the last byte it is given with a 0, so it
        // is given one of its own. The spare bytes after it are not given to the parser:
        // they let readers load an element's name a word at a time (see XmlDom.h).
        m_text.push_back('\0');
        const size_t parsed = m_text.size();
        m_text.append(kSpareBytes, '\0');
        result = m_doc->load_buffer_inplace(&m_text[0], parsed, ParseOptions(m_bPreserveWhiteSpace),
                                            pugi::encoding_utf8);
    } catch (...) {
        return Fail("out of memory while reading the XML text", -1);
    }
    if (!result) {
        std::string reason = std::string("XML error: ") + result.description();
        return Fail(reason.c_str(), (long)result.offset);
    }

    int elements = 0;
    for (pugi::xml_node n = m_doc->first_child(); n; n = n.next_sibling()) {
        if (n.type() == pugi::node_element)
            ++elements;
        else if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) {
            if (!IsWhiteSpace(n.value()))
                return Fail("XML error: text outside the document element", (long)n.offset_debug());
        }
    }
    if (elements == 0)
        return Fail("XML error: no document element", -1);
    if (elements > 1)
        return Fail("XML error: more than one document element", -1);
    if (!bShallow) {
        CDepthCheck check(m_nMaxDepth);
        m_doc->traverse(check);
        if (check.tooDeep())
            return Fail("XML error: elements nested too deeply", -1);
    }

    // Whitespace between the top-level nodes is not part of the tree.
    for (pugi::xml_node n = m_doc->first_child(); n;) {
        pugi::xml_node next = n.next_sibling();
        if (n.type() == pugi::node_pcdata)
            m_doc->remove_child(n);
        n = next;
    }
    m_bLoaded = TRUE;
    return TRUE;
}

CXmlNode CXmlDocument::documentElement() const
{
    if (!m_bLoaded)
        return CXmlNode();
    return CXmlNode(m_doc->document_element().internal_object());
}

CXmlNode CXmlDocument::documentNode() const
{
    if (!m_bLoaded)
        return CXmlNode();
    return CXmlNode(m_doc->internal_object());
}
