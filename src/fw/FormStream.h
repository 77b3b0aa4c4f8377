#pragma once
// Reading and writing stored form descriptions: components are made through
// the class registry, properties are set by name, events are bound to the
// root's methods by name, and every component's Loaded runs once the whole
// description has been read.

#include "fw/Classes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A description that cannot be read: the message names the line.
class EFormReadError : public EFrameworkError {
public:
  EFormReadError(int line, const std::string& message);
  int Line() const { return FLine; }

private:
  int FLine;
};

// Properties kept outside the published ones (binary data): a component
// names them in DefineProperties; the reader and the writer ask.
class TFiler {
public:
  virtual ~TFiler() = default;
  using TReadBinary = std::function<void(const std::vector<std::uint8_t>& data)>;
  using TWriteBinary = std::function<std::vector<std::uint8_t>()>;
  virtual void DefineBinaryProperty(const std::string& name, const TReadBinary& read,
                                    const TWriteBinary& write, bool hasData) = 0;
};

// Reads the text into root (a form, usually) and the components it makes.
void ReadComponentText(TComponent* root, std::string_view text);
// Reads the program's RCDATA resource of that name; false when there is none.
bool ReadComponentResource(TComponent* root, const wchar_t* resourceName);
// Writes root and the components it owns.
std::string WriteComponentText(TComponent* root);
