// The X-file lexers, text and binary, every read bounds-checked.
//
// Anything the lexer cannot make sense of becomes an Error token, never a read past the end.
#include "gfxutil/xfile_lexer.h"

#include <cstring>

#include "gfxutil/byte_reader.h"

namespace {

// Binary token numbers of the X format.
constexpr uint16_t TOKEN_NAME = 1;
constexpr uint16_t TOKEN_STRING = 2;
constexpr uint16_t TOKEN_INTEGER = 3;
constexpr uint16_t TOKEN_GUID = 5;
constexpr uint16_t TOKEN_INTEGER_LIST = 6;
constexpr uint16_t TOKEN_FLOAT_LIST = 7;
constexpr uint16_t TOKEN_OBRACE = 10;
constexpr uint16_t TOKEN_CBRACE = 11;
constexpr uint16_t TOKEN_FIRST_PUNCTUATION = 12;  // ( ) [ ] < > .
constexpr uint16_t TOKEN_COMMA = 19;
constexpr uint16_t TOKEN_SEMICOLON = 20;
constexpr uint16_t TOKEN_TEMPLATE = 31;
constexpr uint16_t TOKEN_FIRST_KEYWORD = 40;  // WORD, DWORD, FLOAT ... ARRAY
constexpr uint16_t TOKEN_LAST_KEYWORD = 53;
constexpr size_t GUID_BYTES = 16;

bool IsSpace(uint8_t c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool EndsWord(uint8_t c) {
    return IsSpace(c) || c == '{' || c == '}' || c == ';' || c == ',' || c == '"' || c == '<' ||
           c == '>';
}

XToken Make(XTokenKind kind, std::string_view text = {}) {
    XToken token;
    token.kind = kind;
    token.text = text;
    return token;
}

}  // namespace

XLexer::XLexer(const uint8_t* data, size_t size, Form form, bool doubleFloats)
    : data(data), size(size), form(form), floatBytes(doubleFloats ? 8 : 4) {}

XToken XLexer::Next() {
    return form == Form::Text ? NextText() : NextBinary();
}

XToken XLexer::Peek(int ahead) const {
    XLexer copy = *this;
    XToken token = copy.Next();
    for (int i = 0; i < ahead; ++i) {
        token = copy.Next();
    }
    return token;
}

void XLexer::SkipSpaceAndComments() {
    while (position < size) {
        const uint8_t c = data[position];
        const bool slashComment = c == '/' && position + 1 < size && data[position + 1] == '/';
        if (IsSpace(c)) {
            ++position;
        } else if (c == '#' || slashComment) {
            while (position < size && data[position] != '\n') {
                ++position;
            }
        } else {
            return;
        }
    }
}

XToken XLexer::NextText() {
    SkipSpaceAndComments();
    if (position >= size) {
        return Make(XTokenKind::End);
    }
    const auto* text = reinterpret_cast<const char*>(data);
    const uint8_t c = data[position];
    const size_t start = position;
    switch (c) {
        case '{':
            ++position;
            return Make(XTokenKind::OpenBrace);
        case '}':
            ++position;
            return Make(XTokenKind::CloseBrace);
        case ';':
        case ',':
            ++position;
            return Make(XTokenKind::Separator);
        case '"':
        case '<': {
            const char close = c == '"' ? '"' : '>';
            const void* found = std::memchr(data + start + 1, close, size - start - 1);
            if (found == nullptr) {
                return Stop("unterminated string or GUID");
            }
            const size_t end = static_cast<const uint8_t*>(found) - data;
            position = end + 1;
            return Make(c == '"' ? XTokenKind::String : XTokenKind::Guid,
                        std::string_view(text + start + 1, end - start - 1));
        }
        case '>':
        case '/':
            ++position;
            return Make(XTokenKind::Other);
        default:
            break;
    }
    while (position < size && !EndsWord(data[position])) {
        ++position;
    }
    const std::string_view word(text + start, position - start);
    return Make(word == "template" ? XTokenKind::Template : XTokenKind::Word, word);
}

XToken XLexer::NextListElement() {
    const size_t elementBytes = listIsFloat ? floatBytes : 4;
    if (size - position < elementBytes) {
        listRemaining = 0;
        return Make(XTokenKind::Error, "truncated list");
    }
    XToken token = Make(XTokenKind::Number);
    if (!listIsFloat) {
        token.number = LoadU32(data + position);
    } else if (floatBytes == 4) {
        float value;
        std::memcpy(&value, data + position, sizeof value);
        token.number = value;
    } else {
        double value;
        std::memcpy(&value, data + position, sizeof value);
        token.number = value;
    }
    position += elementBytes;
    --listRemaining;
    return token;
}

XToken XLexer::Stop(const char* reason) {
    position = size;
    return Make(XTokenKind::Error, reason);
}

XToken XLexer::NextBinary() {
    if (listRemaining > 0) {
        return NextListElement();
    }
    if (position >= size) {
        return Make(XTokenKind::End);
    }
    ByteReader reader(data + position, size - position);
    uint16_t kind = 0;
    if (!reader.ReadU16(kind)) {
        return Stop("truncated token");
    }
    XToken token;
    uint32_t count = 0;
    switch (kind) {
        case TOKEN_NAME:
        case TOKEN_STRING:
            if (!reader.ReadU32(count) || !reader.Has(count)) {
                return Stop("truncated name or string");
            }
            token = Make(kind == TOKEN_NAME ? XTokenKind::Name : XTokenKind::String,
                         std::string_view(reinterpret_cast<const char*>(reader.Current()), count));
            reader.Skip(count);
            break;
        case TOKEN_INTEGER:
            if (!reader.ReadU32(count)) {
                return Stop("truncated integer");
            }
            token = Make(XTokenKind::Number);
            token.number = count;
            break;
        case TOKEN_GUID:
            if (!reader.Skip(GUID_BYTES)) {
                return Stop("truncated GUID");
            }
            token = Make(XTokenKind::Guid);
            break;
        case TOKEN_INTEGER_LIST:
        case TOKEN_FLOAT_LIST:
            if (!reader.ReadU32(count)) {
                return Stop("truncated list");
            }
            position += reader.Position();
            listRemaining = count;
            listIsFloat = kind == TOKEN_FLOAT_LIST;
            // An empty list gives no element; it reads as a separator.
            return count > 0 ? NextListElement() : Make(XTokenKind::Separator);
        case TOKEN_OBRACE:
            token = Make(XTokenKind::OpenBrace);
            break;
        case TOKEN_CBRACE:
            token = Make(XTokenKind::CloseBrace);
            break;
        case TOKEN_COMMA:
        case TOKEN_SEMICOLON:
            token = Make(XTokenKind::Separator);
            break;
        case TOKEN_TEMPLATE:
            token = Make(XTokenKind::Template);
            break;
        default:
            if ((kind >= TOKEN_FIRST_PUNCTUATION && kind < TOKEN_COMMA) ||
                (kind >= TOKEN_FIRST_KEYWORD && kind <= TOKEN_LAST_KEYWORD)) {
                token = Make(XTokenKind::Other);
                break;
            }
            return Stop("unknown binary token");
    }
    position += reader.Position();
    return token;
}
