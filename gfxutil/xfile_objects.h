// The data objects of an X file as a tree, template declarations skipped, meanings not known.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct XObject {
    std::string type;                  // the template name: "Frame", "Mesh", ...
    std::string name;                  // empty when unnamed
    std::vector<double> numbers;       // every number of the object's own data, in order
    std::vector<std::string> strings;  // every string of the object's own data, in order
    std::vector<XObject> children;     // nested objects and references, in file order
    bool isReference = false;          // "{ Name }": only `name` is set
};

// Deepest nesting accepted; a deeper file is refused rather than risking the stack.
constexpr int MAX_X_NESTING = 64;
// Most objects (and references) accepted in one file; a static mesh needs a handful.
constexpr size_t MAX_X_OBJECTS = 65536;

// Parses a whole file, header included. False with a one-line reason on anything malformed.
bool ParseXObjects(const uint8_t* data, size_t size, std::vector<XObject>& objects,
                   std::string& error);
