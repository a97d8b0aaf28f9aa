// The generic X-file object parser: header, template declarations, data objects, references.
#include "gfxutil/xfile_objects.h"

#include <charconv>
#include <cstring>

#include "gfxutil/xfile_lexer.h"

namespace {

constexpr size_t HEADER_SIZE = 16;
constexpr size_t FORMAT_AT = 8;
constexpr size_t FLOAT_SIZE_AT = 12;
constexpr size_t FIELD_SIZE = 4;

class ObjectParser {
  public:
    ObjectParser(XLexer lexer, std::string& error) : lexer(lexer), error(error) {}

    bool ParseFile(std::vector<XObject>& objects) {
        for (;;) {
            const XToken token = lexer.Next();
            switch (token.kind) {
                case XTokenKind::End:
                    return true;
                case XTokenKind::Template:
                    if (!SkipTemplate()) {
                        return false;
                    }
                    break;
                case XTokenKind::Word:
                case XTokenKind::Name:
                    objects.emplace_back();
                    if (!ParseObject(std::string(token.text), objects.back(), 1)) {
                        return false;
                    }
                    break;
                case XTokenKind::Separator:
                    break;
                default:
                    return Fail(token, "unexpected token at the top level");
            }
        }
    }

  private:
    bool Fail(const XToken& token, const char* reason) {
        error = token.kind == XTokenKind::Error ? std::string(token.text) : std::string(reason);
        return false;
    }

    // "template Name { <guid> members [restrictions] }": nothing in it is needed.
    bool SkipTemplate() {
        int depth = 0;
        for (;;) {
            const XToken token = lexer.Next();
            if (token.kind == XTokenKind::End || token.kind == XTokenKind::Error) {
                return Fail(token, "unterminated template declaration");
            }
            if (token.kind == XTokenKind::OpenBrace) {
                ++depth;
            } else if (token.kind == XTokenKind::CloseBrace && --depth <= 0) {
                return true;
            }
        }
    }

    bool IsNameToken(const XToken& token) {
        return token.kind == XTokenKind::Word || token.kind == XTokenKind::Name;
    }

    // Whether the word at hand opens a nested object: "Type {" or "Type Name {".
    bool StartsObject() {
        const XToken next = lexer.Peek();
        return next.kind == XTokenKind::OpenBrace ||
               (IsNameToken(next) && lexer.Peek(1).kind == XTokenKind::OpenBrace);
    }

    bool CountObject() {
        if (++objectCount > MAX_X_OBJECTS) {
            error = "too many objects";
            return false;
        }
        return true;
    }

    bool ParseReference(XObject& reference) {
        if (!CountObject()) {
            return false;
        }
        reference.isReference = true;
        for (;;) {
            const XToken token = lexer.Next();
            if (token.kind == XTokenKind::CloseBrace) {
                return true;
            }
            if (IsNameToken(token) && reference.name.empty()) {
                reference.name = token.text;
            } else if (token.kind != XTokenKind::Guid) {
                return Fail(token, "malformed reference");
            }
        }
    }

    bool ParseObject(std::string type, XObject& object, int depth) {
        if (depth > MAX_X_NESTING) {
            error = "objects nested too deeply";
            return false;
        }
        if (!CountObject()) {
            return false;
        }
        object.type = std::move(type);
        XToken token = lexer.Next();
        if (IsNameToken(token)) {
            object.name = token.text;
            token = lexer.Next();
        }
        if (token.kind != XTokenKind::OpenBrace) {
            return Fail(token, "expected '{' after an object's template name");
        }
        for (;;) {
            token = lexer.Next();
            switch (token.kind) {
                case XTokenKind::CloseBrace:
                    return true;
                case XTokenKind::Separator:
                case XTokenKind::Guid:
                    break;
                case XTokenKind::Number:
                    object.numbers.push_back(token.number);
                    break;
                case XTokenKind::String:
                    object.strings.emplace_back(token.text);
                    break;
                case XTokenKind::OpenBrace:
                    object.children.emplace_back();
                    if (!ParseReference(object.children.back())) {
                        return false;
                    }
                    break;
                case XTokenKind::Name:
                case XTokenKind::Word:
                    if (token.kind == XTokenKind::Name || StartsObject()) {
                        object.children.emplace_back();
                        if (!ParseObject(std::string(token.text), object.children.back(),
                                         depth + 1)) {
                            return false;
                        }
                    } else if (!ParseNumber(token.text, object.numbers)) {
                        return Fail(token, "unreadable number");
                    }
                    break;
                case XTokenKind::End:
                    return Fail(token, "file ends inside an object");
                default:
                    return Fail(token, "unexpected token inside an object");
            }
        }
    }

    // Reads the number a text word starts with; exporters sometimes append junk ("1.#QNAN").
    static bool ParseNumber(std::string_view word, std::vector<double>& numbers) {
        if (!word.empty() && word.front() == '+') {
            word.remove_prefix(1);
        }
        double value = 0;
        const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (status != std::errc() || end == word.data()) {
            return false;
        }
        numbers.push_back(value);
        return true;
    }

    XLexer lexer;
    std::string& error;
    size_t objectCount = 0;
};

}  // namespace

bool ParseXObjects(const uint8_t* data, size_t size, std::vector<XObject>& objects,
                   std::string& error) {
    objects.clear();
    if (data == nullptr || size < HEADER_SIZE || std::memcmp(data, "xof ", FIELD_SIZE) != 0) {
        error = "not an X file";
        return false;
    }
    const auto field = [&](size_t at, const char* expected) {
        return std::memcmp(data + at, expected, FIELD_SIZE) == 0;
    };
    XLexer::Form form;
    if (field(FORMAT_AT, "txt ")) {
        form = XLexer::Form::Text;
    } else if (field(FORMAT_AT, "bin ")) {
        form = XLexer::Form::Binary;
    } else if (field(FORMAT_AT, "tzip") || field(FORMAT_AT, "bzip")) {
        error = "compressed X files are not supported";
        return false;
    } else {
        error = "unknown X file format";
        return false;
    }
    bool doubleFloats = false;
    if (field(FLOAT_SIZE_AT, "0064")) {
        doubleFloats = true;
    } else if (!field(FLOAT_SIZE_AT, "0032")) {
        error = "unknown X file float size";
        return false;
    }
    ObjectParser parser(XLexer(data + HEADER_SIZE, size - HEADER_SIZE, form, doubleFloats), error);
    if (!parser.ParseFile(objects)) {
        objects.clear();
        return false;
    }
    return true;
}
