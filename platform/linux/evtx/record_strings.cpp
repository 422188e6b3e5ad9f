#include "platform/linux/evtx/record_strings.h"

#include <algorithm>
#include <cstdint>

#include "platform/event_log/event_value_text.h"

namespace brask {
namespace {

// Thrown where the bytes are not the binary XML they should be.
struct Malformed {};

// Elements and templates nested deeper than this are taken for a loop of offsets, and more
// elements than this in one record (a value substituted again and again) for a bomb.
constexpr int kMaxDepth = 64;
constexpr int kMaxElements = 65536;

// Tokens, without the 0x40 that marks more to follow (attributes) or attributes (elements).
enum Token : unsigned {
  kEndElement = 0x04,
  kOpenElement = 0x01,
  kCloseStart = 0x02,
  kCloseEmpty = 0x03,
  kText = 0x05,
  kAttribute = 0x06,
  kCData = 0x07,
  kCharacter = 0x08,
  kEntity = 0x09,
  kTarget = 0x0A,
  kInstruction = 0x0B,
  kTemplate = 0x0C,
  kSubstitution = 0x0D,
  kOptionalSubstitution = 0x0E,
  kFragment = 0x0F,
};

// A substituted value: its type, and where its bytes are in the chunk.
struct Value {
  unsigned type = 0;
  std::size_t at = 0;
  std::size_t size = 0;
};

// An element or attribute as its substituted values make it.
struct Element {
  std::wstring name;
  std::wstring text;
  bool substituted = false;  // a substituted value is part of its text
  std::vector<Element> attributes;
  std::vector<Element> children;
  std::optional<std::vector<std::wstring>> items;  // an array's: one element each
};

// Little-endian numbers and bytes read on from a place of the chunk, up to an end.
class Cursor {
 public:
  Cursor(std::string_view chunk, std::size_t at, std::size_t end)
      : chunk_(chunk), at_(at), end_(std::min(end, chunk.size())) {}

  std::size_t at() const { return at_; }
  unsigned peek() const {
    need(1);
    return static_cast<unsigned char>(chunk_[at_]);
  }
  std::size_t take(std::size_t count) {
    need(count);
    std::size_t value = 0;
    for (std::size_t i = count; i-- > 0;)
      value = value << 8 | static_cast<unsigned char>(chunk_[at_ + i]);
    at_ += count;
    return value;
  }
  std::string_view bytes(std::size_t count) {
    need(count);
    at_ += count;
    return chunk_.substr(at_ - count, count);
  }
  void skip(std::size_t count) { bytes(count); }

 private:
  void need(std::size_t count) const {
    if (at_ > end_ || end_ - at_ < count) throw Malformed{};
  }

  std::string_view chunk_;
  std::size_t at_;
  std::size_t end_;
};

class Reader {
 public:
  Reader(std::string_view chunk, WideDecoder& ansi) : chunk_(chunk), ansi_(ansi) {}

  // A fragment from `at` to `end`: a header, which a value's fragment may go without, then
  // a template instance or an element, whose elements are added to `into`.
  void fragment(std::size_t at, std::size_t end, const std::vector<Value>& values,
                std::vector<Element>& into, int depth) {
    if (depth > kMaxDepth) throw Malformed{};
    Cursor cursor(chunk_, at, end);
    if (cursor.peek() == kFragment) cursor.skip(4);
    if ((cursor.peek() & 0xBF) == kTemplate) {
      instance(cursor, into, depth);
    } else {
      add(into, element(cursor, values, depth));
    }
  }

 private:
  // A template instance: the template, in place or at its offset, then its values.
  void instance(Cursor& cursor, std::vector<Element>& into, int depth) {
    cursor.skip(6);  // the token, a byte, the template's identifier
    const std::size_t definition = cursor.take(4);
    Cursor header(chunk_, definition, chunk_.size());
    header.skip(20);  // the offset of the next template, the template's GUID
    const std::size_t size = header.take(4);
    const std::size_t body = header.at();
    if (definition == cursor.at()) cursor.skip(24 + size);
    const std::size_t count = cursor.take(4);
    if (count > chunk_.size() / 4) throw Malformed{};  // more descriptors than the chunk holds
    std::vector<Value> values(count);
    for (Value& value : values) {
      value.size = cursor.take(2);
      value.type = static_cast<unsigned>(cursor.take(1));
      cursor.skip(1);
    }
    for (Value& value : values) {
      value.at = cursor.at();
      cursor.skip(value.size);
    }
    fragment(body, body + size, values, into, depth + 1);
  }

  Element element(Cursor& cursor, const std::vector<Value>& values, int depth) {
    if (depth > kMaxDepth || ++elements_ > kMaxElements) throw Malformed{};
    const unsigned token = static_cast<unsigned>(cursor.take(1));
    cursor.skip(6);  // the dependency identifier, the size
    Element element;
    element.name = name(cursor);
    if (token & 0x40) {
      cursor.skip(4);  // the size of the attributes
      while ((cursor.peek() & 0xBF) == kAttribute) {
        cursor.skip(1);
        Element attribute;
        attribute.name = name(cursor);
        content(cursor, values, attribute, depth, true);
        element.attributes.push_back(std::move(attribute));
      }
    }
    const std::size_t close = cursor.take(1);
    if (close == kCloseStart) {
      content(cursor, values, element, depth, false);
      cursor.skip(1);
    } else if (close != kCloseEmpty) {
      throw Malformed{};
    }
    return element;
  }

  // The content of an element up to its end, or the value of an attribute.
  void content(Cursor& cursor, const std::vector<Value>& values, Element& element, int depth,
               bool attribute) {
    for (;;) {
      const unsigned token = cursor.peek() & 0xBF;
      if (!attribute && token == kOpenElement) {
        add(element.children, this->element(cursor, values, depth + 1));
        continue;
      }
      if (token == kSubstitution || token == kOptionalSubstitution) {
        cursor.skip(1);
        const std::size_t index = cursor.take(2);
        cursor.skip(1);
        if (index >= values.size()) throw Malformed{};
        // An optional value that is null is left out, and with it an element of no more.
        if (token != kOptionalSubstitution ||
            values[index].type != static_cast<unsigned>(EventValueType::Null)) {
          substitute(values[index], element, depth, attribute);
        }
        continue;
      }
      switch (token) {
        case kText:
          cursor.skip(1);
          if (cursor.take(1) != static_cast<unsigned>(EventValueType::String)) throw Malformed{};
          element.text += utf16(cursor.bytes(2 * cursor.take(2)));
          continue;
        case kCData:
          cursor.skip(1);
          element.text += utf16(cursor.bytes(2 * cursor.take(2)));
          continue;
        case kCharacter:
          cursor.skip(1);
          element.text += static_cast<wchar_t>(cursor.take(2));
          continue;
        case kEntity:
          cursor.skip(1);
          element.text += entity(name(cursor));
          continue;
        case kTarget:
          cursor.skip(1);
          name(cursor);
          continue;
        case kInstruction:
          cursor.skip(1);
          cursor.skip(2 * cursor.take(2));
          continue;
        case kEndElement:
          if (attribute) throw Malformed{};
          return;
        default:
          if (attribute) return;
          throw Malformed{};
      }
    }
  }

  void substitute(const Value& value, Element& element, int depth, bool attribute) {
    element.substituted = true;
    if (value.type == static_cast<unsigned>(EventValueType::Null)) return;
    if (value.type == static_cast<unsigned>(EventValueType::BinXml) && !attribute) {
      fragment(value.at, value.at + value.size, {}, element.children, depth + 1);
    } else if (value.type & kEventValueArray) {
      std::vector<std::wstring> items = arrayItems(value);
      if (!attribute) {
        element.items = std::move(items);
        return;
      }
      for (std::size_t i = 0; i < items.size(); ++i)
        element.text += (i > 0 ? L" " : L"") + items[i];
    } else {
      element.text += text(value.type, bytes(value));
    }
  }

  std::vector<std::wstring> arrayItems(const Value& value) {
    const unsigned type = value.type & ~kEventValueArray;
    const std::string_view all = bytes(value);
    std::vector<std::wstring> items;
    // Text: one item up to each null.
    const std::size_t unit = type == static_cast<unsigned>(EventValueType::String) ? 2
                             : type == static_cast<unsigned>(EventValueType::AnsiString) ? 1
                                                                                         : 0;
    if (unit != 0) {
      std::size_t start = 0;
      for (std::size_t at = 0; at + unit <= all.size(); at += unit) {
        if (all.substr(at, unit).find_first_not_of('\0') != std::string_view::npos) continue;
        items.push_back(text(type, all.substr(start, at - start)));
        start = at + unit;
      }
      if (start < all.size()) items.push_back(text(type, all.substr(start)));
      return items;
    }
    const std::size_t size = eventValueSize(type);
    if (size == 0 || all.size() % size != 0) throw Malformed{};
    for (std::size_t at = 0; at < all.size(); at += size)
      items.push_back(text(type, all.substr(at, size)));
    return items;
  }

  std::wstring text(unsigned type, std::string_view bytes) {
    if (type == static_cast<unsigned>(EventValueType::AnsiString))
      return ansi_(bytes.substr(0, bytes.find('\0')));
    if (std::optional<std::wstring> text = eventValueText(type, bytes)) return *text;
    throw Malformed{};
  }

  std::wstring utf16(std::string_view bytes) {
    return text(static_cast<unsigned>(EventValueType::String), bytes);
  }

  std::string_view bytes(const Value& value) const {
    if (value.at > chunk_.size() || chunk_.size() - value.at < value.size) throw Malformed{};
    return chunk_.substr(value.at, value.size);
  }

  // A name, at its offset in the chunk, passed over where it is defined in place.
  std::wstring name(Cursor& cursor) {
    const std::size_t offset = cursor.take(4);
    Cursor name(chunk_, offset, chunk_.size());
    name.skip(6);  // the offset of the next name, its hash
    const std::size_t length = name.take(2);
    const std::string_view characters = name.bytes(2 * length);
    if (offset == cursor.at()) cursor.skip(8 + 2 * length + 2);
    return utf16(characters);
  }

  static std::wstring entity(const std::wstring& name) {
    for (const auto& [entity, character] : {std::pair{L"amp", L"&"}, {L"lt", L"<"}, {L"gt", L">"},
                                            {L"quot", L"\""}, {L"apos", L"'"}}) {
      if (name == entity) return character;
    }
    return L"&" + name + L";";
  }

  // An element whose value is an array is one element for each of its items.
  static void add(std::vector<Element>& into, Element element) {
    if (!element.items) {
      into.push_back(std::move(element));
      return;
    }
    for (std::wstring& item : *element.items) {
      Element one = element;
      one.items.reset();
      one.text = std::move(item);
      into.push_back(std::move(one));
    }
  }

  std::string_view chunk_;
  WideDecoder& ansi_;
  int elements_ = 0;
};

// The values of the attributes and innermost elements that hold a substituted value.
void collect(const Element& element, std::vector<std::wstring>& strings) {
  for (const Element& attribute : element.attributes) {
    if (attribute.substituted) strings.push_back(attribute.text);
  }
  if (element.children.empty() && element.substituted) strings.push_back(element.text);
  for (const Element& child : element.children) collect(child, strings);
}

const Element* child(const Element& element, std::wstring_view name) {
  const auto found = std::find_if(element.children.begin(), element.children.end(),
                                  [&](const Element& child) { return child.name == name; });
  return found == element.children.end() ? nullptr : &*found;
}

}  // namespace

std::optional<std::vector<std::wstring>> recordStrings(std::string_view chunk, std::size_t at,
                                                       WideDecoder& ansi) {
  try {
    Cursor header(chunk, at, chunk.size());
    if (header.take(4) != 0x2A2A) throw Malformed{};
    const std::size_t size = header.take(4);
    if (size < 28) throw Malformed{};
    std::vector<Element> roots;
    Reader(chunk, ansi).fragment(at + 24, at + size - 4, {}, roots, 0);
    std::vector<std::wstring> strings;
    if (roots.empty()) return strings;
    const Element* data = child(roots.front(), L"EventData");
    if (!data) data = child(roots.front(), L"ProcessingErrorData");
    if (data) {
      collect(*data, strings);
    } else if (const Element* user = child(roots.front(), L"UserData")) {
      if (user->children.size() == 1) collect(user->children.front(), strings);
    }
    return strings;
  } catch (const Malformed&) {
    return std::nullopt;
  }
}

}  // namespace brask
