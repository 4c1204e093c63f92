// The XML DOM: load, then every question a reader asks of every node, walked without
// recursion.
#include "FuzzEntry.h"

#include <XmlDom/XmlDom.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CXmlDocument doc;
    if (!doc.LoadXml(CString(reinterpret_cast<const char*>(data), (int)size)))
        return 0;
    CXmlNode root = doc.documentNode();
    CXmlNode node = root.firstChild();
    while (!node.isNull() && node != root) {
        node.nodeName();
        node.nodeValue();
        node.nameIs("TASK");
        for (int i = 0; i < node.attributeCount(); ++i) {
            node.getAttribute(node.attributeName(i));
            node.attributeValue(i);
        }
        if (node.isElement() && node.firstChild().isNull())
            node.text();
        if (!node.firstChild().isNull()) {
            node = node.firstChild();
            continue;
        }
        while (!node.isNull() && node != root && node.nextSibling().isNull())
            node = node.parentNode();
        if (!node.isNull() && node != root)
            node = node.nextSibling();
    }
    doc.documentElement().text();
    return 0;
}
