// The store file: a header line, then one "[ROOT\key\subkey]" line per key followed by its
// values as "name"=type:"bytes" lines. Bytes outside printable ASCII and the characters
// % " [ ] \ are written as %XX, so any byte survives and the file stays readable. A REG_DWORD
// of four bytes is written as dword:XXXXXXXX (hexadecimal). Lines starting with '#' and blank
// lines are ignored.
#include <cstdio>
#include <cstring>

#include "RegistryNode.h"

namespace pc_reg {

namespace {

const char kHeader[] = "PCREG 1";

struct TypeName
{
    DWORD type;
    const char* name;
};
const TypeName kTypeNames[] = {{0, "none"},   {1, "sz"},       {2, "expand_sz"},
                               {3, "binary"}, {4, "dword"},    {5, "dword_be"},
                               {6, "link"},   {7, "multi_sz"}, {11, "qword"}};

bool NeedsEscape(unsigned char c)
{
    return c < 0x20 || c > 0x7E || c == '%' || c == '"' || c == '[' || c == ']' || c == '\\';
}

void AppendEscaped(std::string& out, const std::string& bytes)
{
    static const char kHex[] = "0123456789ABCDEF";
    for (unsigned char c : bytes) {
        if (NeedsEscape(c)) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool Unescape(const std::string& text, std::string& out)
{
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '%') {
            if (i + 2 >= text.size())
                return false;
            const int hi = HexDigit(text[i + 1]);
            const int lo = HexDigit(text[i + 2]);
            if (hi < 0 || lo < 0)
                return false;
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else if (NeedsEscape(c)) {
            return false;  // a raw byte that the writer always escapes
        } else {
            out += static_cast<char>(c);
        }
    }
    return true;
}

std::string TypeWord(DWORD type)
{
    for (const TypeName& t : kTypeNames) {
        if (t.type == type)
            return t.name;
    }
    return "type" + std::to_string(type);
}

bool ParseTypeWord(const std::string& word, DWORD& type)
{
    for (const TypeName& t : kTypeNames) {
        if (word == t.name) {
            type = t.type;
            return true;
        }
    }
    if (word.size() > 4 && word.compare(0, 4, "type") == 0 && word.size() <= 14) {
        unsigned long long value = 0;
        for (size_t i = 4; i < word.size(); ++i) {
            if (word[i] < '0' || word[i] > '9')
                return false;
            value = value * 10 + static_cast<unsigned>(word[i] - '0');
        }
        if (value > 0xFFFFFFFFULL)
            return false;
        type = static_cast<DWORD>(value);
        return true;
    }
    return false;
}

void WriteValues(std::string& out, const RegNode& node)
{
    for (const RegValue& v : node.Values()) {
        out += '"';
        AppendEscaped(out, v.name);
        out += "\"=";
        out += TypeWord(v.type);
        out += ':';
        if (v.type == 4 && v.data.size() == 4) {
            const unsigned char* b = reinterpret_cast<const unsigned char*>(v.data.data());
            const unsigned long value =
                b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<unsigned long>(b[3]) << 24);
            char buf[16];
            std::snprintf(buf, sizeof buf, "%08lx", value);
            out += buf;
        } else {
            out += '"';
            AppendEscaped(out, v.data);
            out += '"';
        }
        out += '\n';
    }
}

// A key gets a line of its own when it has values or nothing saved below it; a key
// between others is made again by the line of any key below it. So every line written
// stands for a line the file needs, and the text grows with the tree, not with the
// depth of its keys times their number.
bool NeedsLine(const RegNode& node, bool isRoot)
{
    if (!node.Values().empty())
        return true;
    if (isRoot)
        return false;
    for (const auto& child : node.children) {
        if (!child.second->isVolatile)
            return false;
    }
    return true;
}

// Writes a root's tree in pre-order without recursion; the path is one buffer that grows
// by a name on the way down and is cut back on the way up.
void WriteTree(std::string& out, const RegNode& root, const char* rootName)
{
    if (root.isVolatile)
        return;
    struct Frame
    {
        const RegNode* node;
        size_t pathLength;
        std::map<std::string, std::shared_ptr<RegNode>>::const_iterator next;
    };
    std::string path = rootName;
    auto writeKey = [&](const RegNode& node, bool isRoot) {
        if (!NeedsLine(node, isRoot))
            return;
        out += '[';
        out += path;
        out += "]\n";
        WriteValues(out, node);
    };
    writeKey(root, true);
    std::vector<Frame> stack{{&root, path.size(), root.children.begin()}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next == top.node->children.end()) {
            stack.pop_back();
            continue;
        }
        const RegNode& child = *top.next->second;
        ++top.next;
        if (child.isVolatile)
            continue;  // volatile keys and all below them are not saved
        path.resize(top.pathLength);
        path += '\\';
        AppendEscaped(path, child.name);
        writeKey(child, false);
        stack.push_back({&child, path.size(), child.children.begin()});
    }
}

std::string Trim(const std::string& s)
{
    size_t b = 0;
    size_t e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r'))
        --e;
    return s.substr(b, e - b);
}

// "[ROOT\a\b]": finds or creates the key.
bool ParseKeyLine(const std::string& line, RegTree& tree, RegNode*& current)
{
    if (line.size() < 2 || line.back() != ']')
        return false;
    const std::string inner = line.substr(1, line.size() - 2);
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t sep = inner.find('\\', start);
        parts.push_back(
            inner.substr(start, sep == std::string::npos ? std::string::npos : sep - start));
        if (sep == std::string::npos)
            break;
        start = sep + 1;
    }
    RegNode* node = nullptr;
    for (int i = 0; i < kRootCount; ++i) {
        if (parts[0] == kRootNames[i])
            node = tree.roots[i].get();
    }
    if (node == nullptr)
        return false;
    if (parts.size() - 1 > kMaxKeyDepth)
        return false;  // deeper than any store the writer makes
    for (size_t i = 1; i < parts.size(); ++i) {
        std::string name;
        if (parts[i].empty() || !Unescape(parts[i], name))
            return false;
        const std::string folded = FoldName(name);
        auto it = node->children.find(folded);
        if (it == node->children.end()) {
            auto child = std::make_shared<RegNode>();
            child->name = name;
            child->parent = node;
            it = node->children.emplace(folded, child).first;
        }
        node = it->second.get();
    }
    current = node;
    return true;
}

// "name"=type:payload
bool ParseValueLine(const std::string& line, RegNode& node)
{
    const size_t close = line.find('"', 1);
    if (close == std::string::npos || close + 1 >= line.size() || line[close + 1] != '=')
        return false;
    RegValue value;
    if (!Unescape(line.substr(1, close - 1), value.name))
        return false;
    const size_t colon = line.find(':', close + 2);
    if (colon == std::string::npos)
        return false;
    if (!ParseTypeWord(line.substr(close + 2, colon - close - 2), value.type))
        return false;
    const std::string payload = line.substr(colon + 1);
    if (payload.size() >= 2 && payload.front() == '"' && payload.back() == '"') {
        if (!Unescape(payload.substr(1, payload.size() - 2), value.data))
            return false;
    } else if (value.type == 4 && payload.size() == 8) {
        unsigned long v = 0;
        for (char c : payload) {
            const int d = HexDigit(c);
            if (d < 0)
                return false;
            v = v * 16 + static_cast<unsigned>(d);
        }
        value.data.assign(4, '\0');
        for (int i = 0; i < 4; ++i)
            value.data[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    } else {
        return false;
    }
    // A repeated name: the later line wins (SetValue adds the value when existing is -1).
    node.SetValue(node.FindValue(value.name), value);
    return true;
}

}  // namespace

std::string SerializeTree(const RegTree& tree)
{
    std::string out = kHeader;
    out += '\n';
    for (int i = 0; i < kRootCount; ++i)
        WriteTree(out, *tree.roots[i], kRootNames[i]);
    return out;
}

bool ParseTree(const std::string& text, RegTree& tree, std::string& error)
{
    size_t pos = 0;
    int lineNumber = 0;
    RegNode* current = nullptr;
    bool sawHeader = false;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        ++lineNumber;
        if (!sawHeader) {
            if (line != kHeader) {
                error = "line 1: not a settings store";
                return false;
            }
            sawHeader = true;
            continue;
        }
        if (line.empty() || line[0] == '#')
            continue;
        bool ok = false;
        if (line[0] == '[') {
            ok = ParseKeyLine(line, tree, current);
        } else if (line[0] == '"' && current != nullptr) {
            ok = ParseValueLine(line, *current);
        }
        if (!ok) {
            error = "line " + std::to_string(lineNumber) + ": unreadable";
            return false;
        }
    }
    if (!sawHeader) {
        error = "empty file";
        return false;
    }
    return true;
}

}  // namespace pc_reg
