#include "core/FormText.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

EFormTextError::EFormTextError(int line, const std::string& message)
    : std::runtime_error("line " + std::to_string(line) + ": " + message), FLine(line),
      FMessage(message) {}

namespace {

constexpr int kMaxDepth = 100; // objects and lists nested deeper are refused

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::uint32_t HexValue(char c) {
  char d = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return static_cast<std::uint32_t>(d <= '9' ? d - '0' : d - 'a' + 10);
}

bool IsIdentStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

class TParser {
public:
  explicit TParser(std::string_view text) : FText(text) {}

  TFormObject Root() {
    SkipBlank();
    TFormObject root = Object(0);
    SkipBlank();
    if (!AtEnd()) Fail("text after the final end");
    return root;
  }

private:
  [[noreturn]] void Fail(const std::string& message) const { throw EFormTextError(FLine, message); }
  bool AtEnd() const { return FPos >= FText.size(); }
  char Peek(std::size_t ahead = 0) const {
    return FPos + ahead < FText.size() ? FText[FPos + ahead] : '\0';
  }
  void Advance() {
    if (FText[FPos] == '\n') ++FLine;
    ++FPos;
  }

  // Blanks and line ends; "//" comments to the end of the line.
  void SkipBlank() {
    while (!AtEnd()) {
      char c = Peek();
      if (c == '/' && Peek(1) == '/') {
        while (!AtEnd() && Peek() != '\n')
          Advance();
      } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f') {
        Advance();
      } else {
        break;
      }
    }
  }

  std::string Ident() {
    SkipBlank();
    if (!IsIdentStart(Peek())) Fail("a name is expected");
    std::size_t start = FPos;
    while (IsIdentChar(Peek()))
      Advance();
    return std::string(FText.substr(start, FPos - start));
  }

  // A name with dots: Font.Height, Items.Strings.
  std::string DottedIdent() {
    std::string name = Ident();
    while (Peek() == '.') {
      Advance();
      name += '.';
      name += Ident();
    }
    return name;
  }

  bool NextWordIs(std::string_view word) {
    SkipBlank();
    if (FText.size() - FPos < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(FText[FPos + i])) != word[i]) return false;
    return !IsIdentChar(Peek(word.size()));
  }

  void Expect(char c, const char* what) {
    SkipBlank();
    if (Peek() != c) Fail(std::string(what) + " is expected");
    Advance();
  }

  TFormObject Object(int depth) {
    if (depth > kMaxDepth) Fail("objects nested too deeply");
    TFormObject obj;
    obj.Line = FLine;
    std::string keyword = LowerWord(Ident());
    if (keyword != "object" && keyword != "inherited" && keyword != "inline")
      Fail("\"object\" is expected");
    obj.Inherited = keyword != "object";
    std::string first = Ident();
    SkipBlank();
    if (Peek() == ':') {
      Advance();
      obj.Name = first;
      obj.ClassName = Ident();
    } else {
      obj.ClassName = first;
    }
    for (;;) {
      SkipBlank();
      if (AtEnd()) Fail("\"end\" is missing for object " + obj.Name);
      if (NextWordIs("end")) {
        Ident();
        return obj;
      }
      if (NextWordIs("object") || NextWordIs("inherited") || NextWordIs("inline")) {
        obj.Children.push_back(Object(depth + 1));
        continue;
      }
      obj.Props.push_back(Property(depth));
    }
  }

  static std::string LowerWord(std::string s) {
    for (auto& c : s)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  }

  TFormProperty Property(int depth) {
    TFormProperty p;
    p.Line = FLine;
    p.Name = DottedIdent();
    Expect('=', "\"=\"");
    p.Value = Value(depth);
    return p;
  }

  TFormValue Value(int depth) {
    if (depth > kMaxDepth) Fail("values nested too deeply");
    SkipBlank();
    TFormValue v;
    v.Line = FLine;
    char c = Peek();
    if (c == '\'' || c == '#') {
      v.Kind = TFormValue::String;
      v.Text = StringValue();
    } else if (c == '-' || c == '+' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
      Number(v);
    } else if (c == '[') {
      SetValue(v);
    } else if (c == '(') {
      ListValue(v, depth);
    } else if (c == '{') {
      BinaryValue(v);
    } else if (c == '<') {
      CollectionValue(v, depth);
    } else if (IsIdentStart(c)) {
      v.Kind = TFormValue::Ident;
      v.Text = DottedIdent();
    } else {
      Fail("a value is expected");
    }
    return v;
  }

  // Quoted pieces and #codes, joined; "+" continues on the next line.
  std::string StringValue() {
    std::u16string units;
    std::string out;
    auto flushUnits = [&] {
      for (std::size_t i = 0; i < units.size(); ++i) {
        std::uint32_t u = units[i];
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
          u = 0x10000 + ((u - 0xD800) << 10) + (units[++i] - 0xDC00);
        } else if (u >= 0xD800 && u < 0xE000) {
          u = 0xFFFD; // a lone surrogate cannot be written as UTF-8
        }
        AppendUtf8(out, u);
      }
      units.clear();
    };
    for (;;) {
      char c = Peek();
      if (c == '\'') {
        flushUnits();
        Advance();
        for (;;) {
          if (AtEnd() || Peek() == '\n' || Peek() == '\r') Fail("unterminated string");
          if (Peek() == '\'') {
            Advance();
            if (Peek() != '\'') break;
          }
          out += Peek();
          Advance();
        }
      } else if (c == '#') {
        Advance();
        std::uint32_t code = 0;
        int digits = 0;
        if (Peek() == '$') {
          Advance();
          while (std::isxdigit(static_cast<unsigned char>(Peek())) && digits < 8) {
            code = code * 16 + HexValue(Peek());
            Advance();
            ++digits;
          }
        } else {
          while (std::isdigit(static_cast<unsigned char>(Peek())) && digits < 8) {
            code = code * 10 + static_cast<std::uint32_t>(Peek() - '0');
            Advance();
            ++digits;
          }
        }
        if (digits == 0 || code > 0xFFFF) Fail("bad character code");
        units.push_back(static_cast<char16_t>(code));
      } else {
        // A "+" after blanks continues the string on the next line.
        std::size_t save = FPos;
        int saveLine = FLine;
        SkipBlank();
        if (Peek() == '+') {
          Advance();
          SkipBlank();
          if (Peek() == '\'' || Peek() == '#') continue;
          Fail("a string is expected after +");
        }
        FPos = save;
        FLine = saveLine;
        break;
      }
    }
    flushUnits();
    return out;
  }

  void Number(TFormValue& v) {
    std::size_t start = FPos;
    bool negative = false;
    if (Peek() == '-' || Peek() == '+') {
      negative = Peek() == '-';
      Advance();
    }
    if (Peek() == '$') {
      Advance();
      std::uint64_t n = 0;
      int digits = 0;
      while (std::isxdigit(static_cast<unsigned char>(Peek()))) {
        if (++digits > 16) Fail("number too large");
        n = n * 16 + HexValue(Peek());
        Advance();
      }
      if (digits == 0) Fail("hexadecimal digits are expected");
      v.Kind = TFormValue::Integer;
      // Negated as unsigned: -$8000000000000000 must not overflow.
      v.Int = static_cast<std::int64_t>(negative ? 0 - n : n);
      return;
    }
    if (!std::isdigit(static_cast<unsigned char>(Peek()))) Fail("a number is expected");
    while (std::isdigit(static_cast<unsigned char>(Peek())))
      Advance();
    bool real = false;
    if (Peek() == '.' && std::isdigit(static_cast<unsigned char>(Peek(1)))) {
      real = true;
      Advance();
      while (std::isdigit(static_cast<unsigned char>(Peek())))
        Advance();
    }
    if (Peek() == 'e' || Peek() == 'E') {
      real = true;
      Advance();
      if (Peek() == '-' || Peek() == '+') Advance();
      if (!std::isdigit(static_cast<unsigned char>(Peek()))) Fail("bad exponent");
      while (std::isdigit(static_cast<unsigned char>(Peek())))
        Advance();
    }
    std::string text(FText.substr(start, FPos - start));
    if (real) {
      v.Kind = TFormValue::Float;
      v.Text = text;
      v.Real = std::strtod(text.c_str(), nullptr);
      return;
    }
    v.Kind = TFormValue::Integer;
    errno = 0;
    v.Int = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE) Fail("number too large");
  }

  void SetValue(TFormValue& v) {
    v.Kind = TFormValue::Set;
    Advance();
    SkipBlank();
    if (Peek() == ']') {
      Advance();
      return;
    }
    for (;;) {
      v.Names.push_back(Ident());
      SkipBlank();
      if (Peek() == ']') {
        Advance();
        return;
      }
      Expect(',', "\",\" or \"]\"");
    }
  }

  void ListValue(TFormValue& v, int depth) {
    v.Kind = TFormValue::List;
    Advance();
    for (;;) {
      SkipBlank();
      if (AtEnd()) Fail("\")\" is missing");
      if (Peek() == ')') {
        Advance();
        return;
      }
      v.Items.push_back(Value(depth + 1));
    }
  }

  void BinaryValue(TFormValue& v) {
    v.Kind = TFormValue::Binary;
    Advance();
    int high = -1;
    for (;;) {
      SkipBlank();
      if (AtEnd()) Fail("\"}\" is missing");
      char c = Peek();
      if (c == '}') {
        Advance();
        break;
      }
      if (!std::isxdigit(static_cast<unsigned char>(c))) Fail("hexadecimal digits are expected");
      int nibble = static_cast<int>(HexValue(c));
      if (high < 0) {
        high = nibble;
      } else {
        v.Bytes.push_back(static_cast<std::uint8_t>(high * 16 + nibble));
        high = -1;
      }
      Advance();
    }
    if (high >= 0) Fail("odd number of hexadecimal digits");
  }

  void CollectionValue(TFormValue& v, int depth) {
    v.Kind = TFormValue::Collection;
    Advance();
    for (;;) {
      SkipBlank();
      if (AtEnd()) Fail("\">\" is missing");
      if (Peek() == '>') {
        Advance();
        return;
      }
      if (LowerWord(Ident()) != "item") Fail("\"item\" is expected");
      std::vector<TFormProperty> item;
      for (;;) {
        SkipBlank();
        if (AtEnd()) Fail("\"end\" is missing for an item");
        if (NextWordIs("end")) {
          Ident();
          break;
        }
        item.push_back(Property(depth + 1));
      }
      v.CollectionItems.push_back(std::move(item));
    }
  }

  std::string_view FText;
  std::size_t FPos = 0;
  int FLine = 1;
};

// --- Writer -----------------------------------------------------------------

void WriteValue(std::string& out, const TFormValue& v, const std::string& indent);

void WriteProperty(std::string& out, const TFormProperty& p, const std::string& indent) {
  out += indent + p.Name + " = ";
  WriteValue(out, p.Value, indent);
  out += '\n';
}

void WriteValue(std::string& out, const TFormValue& v, const std::string& indent) {
  switch (v.Kind) {
  case TFormValue::Integer: out += std::to_string(v.Int); break;
  case TFormValue::Float: out += v.Text.empty() ? std::to_string(v.Real) : v.Text; break;
  case TFormValue::String: out += QuoteFormString(v.Text); break;
  case TFormValue::Ident: out += v.Text; break;
  case TFormValue::Set:
    out += '[';
    for (std::size_t i = 0; i < v.Names.size(); ++i)
      out += (i ? ", " : "") + v.Names[i];
    out += ']';
    break;
  case TFormValue::List:
    out += '(';
    for (const auto& item : v.Items) {
      out += '\n' + indent + "  ";
      WriteValue(out, item, indent + "  ");
    }
    out += ')';
    break;
  case TFormValue::Binary: {
    static const char hex[] = "0123456789ABCDEF";
    out += '{';
    for (std::size_t i = 0; i < v.Bytes.size(); ++i) {
      if (i % 32 == 0) out += '\n' + indent + "  ";
      out += hex[v.Bytes[i] >> 4];
      out += hex[v.Bytes[i] & 15];
    }
    out += '}';
    break;
  }
  case TFormValue::Collection:
    out += '<';
    for (const auto& item : v.CollectionItems) {
      out += '\n' + indent + "  item\n";
      for (const auto& p : item)
        WriteProperty(out, p, indent + "    ");
      out += indent + "  end";
    }
    out += '>';
    break;
  }
}

void WriteObject(std::string& out, const TFormObject& o, const std::string& indent) {
  out += indent + (o.Inherited ? "inherited " : "object ");
  if (!o.Name.empty()) out += o.Name + ": ";
  out += o.ClassName + '\n';
  for (const auto& p : o.Props)
    WriteProperty(out, p, indent + "  ");
  for (const auto& c : o.Children)
    WriteObject(out, c, indent + "  ");
  out += indent + "end\n";
}

} // namespace

TFormObject ParseFormText(std::string_view text) {
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  return TParser(text).Root();
}

std::string WriteFormText(const TFormObject& root) {
  std::string out;
  WriteObject(out, root, "");
  return out;
}

std::string QuoteFormString(std::string_view utf8) {
  std::string out;
  bool inQuotes = false;
  for (char c : utf8) {
    auto u = static_cast<unsigned char>(c);
    if (u < 32) {
      if (inQuotes) out += '\'';
      inQuotes = false;
      out += '#' + std::to_string(u);
      continue;
    }
    if (!inQuotes) out += '\'';
    inQuotes = true;
    out += c;
    if (c == '\'') out += '\'';
  }
  if (inQuotes) out += '\'';
  if (out.empty()) out = "''";
  return out;
}
