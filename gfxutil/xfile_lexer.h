// The tokens of an X file, from its text or its binary form: the object parser sees one stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

enum class XTokenKind {
    End,
    Error,
    Word,  // text form: a name or a number, told apart by the parser
    Name,  // binary form: always a name
    Number,
    String,
    Guid,
    OpenBrace,
    CloseBrace,
    Separator,  // ',' or ';'
    Template,
    Other,  // punctuation and type keywords, which only template declarations use
};

struct XToken {
    XTokenKind kind = XTokenKind::End;
    std::string_view text;
    double number = 0;
};

// Copyable, so that the parser looks ahead by reading from a copy.
class XLexer {
  public:
    enum class Form { Text, Binary };
    // `data` is the body after the 16-byte header; `doubleFloats` for float size 64.
    XLexer(const uint8_t* data, size_t size, Form form, bool doubleFloats);

    XToken Next();
    XToken Peek(int ahead = 0) const;

  private:
    XToken NextText();
    XToken NextBinary();
    XToken NextListElement();
    // An Error token that also ends the input, so no later call reads on from a broken place.
    XToken Stop(const char* reason);
    void SkipSpaceAndComments();

    const uint8_t* data;
    size_t size;
    size_t position = 0;
    Form form;
    size_t floatBytes;
    // Inside a binary integer or float list: the elements still to hand out one by one.
    uint32_t listRemaining = 0;
    bool listIsFloat = false;
};
