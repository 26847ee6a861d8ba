// XML well-formedness, as far as an SVG written by the tool needs it.

#include "zunaiXmlCheck.h"

#include <set>
#include <vector>

#include <gtest/gtest.h>

namespace {

bool isNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':'; }
bool isNameChar(char c) { return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

class Checker {
public:
    explicit Checker(const std::string& t) : text(t) {}

    std::string run()
    {
        if (text.compare(0, 5, "<?xml") == 0) {
            const std::size_t end = text.find("?>");
            if (end == std::string::npos)
                return where("unclosed XML declaration");
            at = end + 2;
        }
        bool rootDone = false;
        while (at < text.size()) {
            if (text[at] == '<') {
                if (text.compare(at, 4, "<!--") == 0) {
                    const std::size_t end = text.find("-->", at + 4);
                    if (end == std::string::npos)
                        return where("unclosed comment");
                    at = end + 3;
                    continue;
                }
                if (rootDone)
                    return where("content after the root element");
                std::string problem = text.compare(at, 2, "</") == 0 ? closeTag() : openTag();
                if (!problem.empty())
                    return problem;
                if (open.empty() && sawRoot)
                    rootDone = true;
            } else {
                if (open.empty() && !isSpace(text[at]))
                    return where("text outside the root element");
                if (text[at] == '&') {
                    std::string problem = entity();
                    if (!problem.empty())
                        return problem;
                    continue;
                }
                if (text[at] == '>')
                    return where("bare '>'");
                ++at;
            }
        }
        if (!open.empty())
            return "unclosed element <" + open.back() + ">";
        if (!sawRoot)
            return "no root element";
        return {};
    }

private:
    std::string where(const std::string& what) const
    {
        int line = 1;
        for (std::size_t i = 0; i < at && i < text.size(); ++i)
            line += text[i] == '\n';
        return what + " at line " + std::to_string(line);
    }

    std::string name(std::string& out)
    {
        if (at >= text.size() || !isNameStart(text[at]))
            return where("expected a name");
        const std::size_t start = at;
        while (at < text.size() && isNameChar(text[at]))
            ++at;
        out = text.substr(start, at - start);
        return {};
    }

    void blanks()
    {
        while (at < text.size() && isSpace(text[at]))
            ++at;
    }

    std::string entity()
    {
        const std::size_t end = text.find(';', at);
        if (end == std::string::npos || end - at > 10)
            return where("bare '&'");
        const std::string e = text.substr(at + 1, end - at - 1);
        static const std::set<std::string> known = {"amp", "lt", "gt", "quot", "apos"};
        bool ok = known.count(e) > 0;
        if (!ok && e.size() > 1 && e[0] == '#') {
            ok = true;
            for (std::size_t i = (e[1] == 'x' ? 2 : 1); i < e.size(); ++i)
                ok = ok && std::isxdigit(static_cast<unsigned char>(e[i]));
        }
        if (!ok)
            return where("unknown entity &" + e + ";");
        at = end + 1;
        return {};
    }

    std::string openTag()
    {
        ++at;
        std::string tag;
        std::string problem = name(tag);
        if (!problem.empty())
            return problem;
        std::set<std::string> attributes;
        for (;;) {
            const bool spaced = at < text.size() && isSpace(text[at]);
            blanks();
            if (at >= text.size())
                return where("unclosed tag <" + tag + ">");
            if (text.compare(at, 2, "/>") == 0) {
                at += 2;
                sawRoot = true;
                return {};
            }
            if (text[at] == '>') {
                ++at;
                open.push_back(tag);
                sawRoot = true;
                return {};
            }
            if (!spaced)
                return where("attributes of <" + tag + "> run together");
            std::string attribute;
            problem = name(attribute);
            if (!problem.empty())
                return problem;
            if (!attributes.insert(attribute).second)
                return where("attribute " + attribute + " repeated");
            blanks();
            if (at >= text.size() || text[at] != '=')
                return where("attribute " + attribute + " without a value");
            ++at;
            blanks();
            if (at >= text.size() || (text[at] != '"' && text[at] != '\''))
                return where("attribute " + attribute + " unquoted");
            const char quote = text[at++];
            while (at < text.size() && text[at] != quote) {
                if (text[at] == '<')
                    return where("'<' in attribute " + attribute);
                if (text[at] == '&') {
                    problem = entity();
                    if (!problem.empty())
                        return problem;
                    continue;
                }
                ++at;
            }
            if (at >= text.size())
                return where("unclosed attribute " + attribute);
            ++at;
        }
    }

    std::string closeTag()
    {
        at += 2;
        std::string tag;
        std::string problem = name(tag);
        if (!problem.empty())
            return problem;
        blanks();
        if (at >= text.size() || text[at] != '>')
            return where("bad closing tag </" + tag);
        ++at;
        if (open.empty() || open.back() != tag)
            return where("</" + tag + "> closes " + (open.empty() ? std::string("nothing") : "<" + open.back() + ">"));
        open.pop_back();
        return {};
    }

    const std::string& text;
    std::size_t at = 0;
    std::vector<std::string> open;
    bool sawRoot = false;
};

} // namespace

std::string zunaiXmlProblem(const std::string& text)
{
    return Checker(text).run();
}

// The checker itself must tell good from bad, or the SVG tests prove nothing.
TEST(ToolXmlCheck, TellsWellFormedFromBroken)
{
    EXPECT_EQ(zunaiXmlProblem("<?xml version=\"1.0\"?>\n<a x=\"1\" y='2'><b/>t &amp; &#38; &#x26;<!-- c --></a>\n"), "");
    const char* broken[] = {
        "<a><b></a></b>", "<a>", "<a x=1/>", "<a x=\"1\" x=\"2\"/>", "<a>&nbsp;</a>", "<a>x & y</a>",
        "<a/><b/>", "text<a/>", "<a x=\"<\"/>", "<a x=\"1\"y=\"2\"/>", "", "<a></b>",
    };
    for (const char* text : broken)
        EXPECT_NE(zunaiXmlProblem(text), "") << text;
}
