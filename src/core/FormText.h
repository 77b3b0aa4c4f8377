#pragma once
// The stored form description as text:
//
//   object Form_main: TForm_main
//     Caption = '文件批量更名'
//     Font.Height = -16
//     Anchors = [akLeft, akTop]
//     Items.Strings = (
//       'one'
//       'two')
//     SkinStream = {0A000000...}
//     object Button1: TButton
//       OnClick = Button1Click
//     end
//   end
//
// Strings are UTF-8 between single quotes ('' is a quote) joined with
// character codes (#13#10, UTF-16 units) and "+" across lines. This unit
// only parses and writes the text; the framework gives it meaning.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class EFormTextError : public std::runtime_error {
public:
  EFormTextError(int line, const std::string& message);
  int Line() const { return FLine; }
  const std::string& Message() const { return FMessage; } // without the line

private:
  int FLine;
  std::string FMessage;
};

struct TFormProperty;

struct TFormValue {
  enum TKind { Integer, Float, String, Ident, Set, List, Binary, Collection };
  TKind Kind = Integer;
  std::int64_t Int = 0;
  double Real = 0;
  std::string Text;                // String (UTF-8), Ident, or Float as written
  std::vector<std::string> Names;  // Set
  std::vector<TFormValue> Items;   // List
  std::vector<std::uint8_t> Bytes; // Binary
  std::vector<std::vector<TFormProperty>> CollectionItems;
  int Line = 0;
};

struct TFormProperty {
  std::string Name; // may be dotted: Font.Height
  TFormValue Value;
  int Line = 0;
};

struct TFormObject {
  std::string Name;
  std::string ClassName;
  bool Inherited = false;
  std::vector<TFormProperty> Props;
  std::vector<TFormObject> Children;
  int Line = 0;
};

// Parses one object with its children; trailing blank lines are allowed,
// anything else after the final "end" is an error. Errors name the line.
TFormObject ParseFormText(std::string_view text);

// Writes the text back in the layout above (two spaces per level).
std::string WriteFormText(const TFormObject& root);

// Text quoted for the form description: printable text between quotes,
// control characters as #codes.
std::string QuoteFormString(std::string_view utf8);
