#include "platform/RegistryTree.h"

#include "base/DialtopError.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

const std::string_view Header = "REGEDIT4";
// Bytes per line of a hex value, so that a person can read the file.
constexpr std::size_t HexBytesPerLine = 24;

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

// The form a name is looked up by.
std::string folded(std::string_view name) {
    std::string lower(name);
    std::ranges::transform(lower, lower.begin(), lowerAscii);
    return lower;
}

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
}

std::string_view trimRight(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::string_view trimLeft(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = lowerAscii(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// One to eight hexadecimal digits and nothing else.
std::optional<std::uint32_t> hexNumber(std::string_view text) {
    if (text.empty() || text.size() > 8)
        return std::nullopt;
    std::uint32_t number = 0;
    for (char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0)
            return std::nullopt;
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    return number;
}

// "aa,bb,cc": bytes of one or two hex digits separated by commas; blanks around them allowed.
std::optional<std::string> hexBytes(std::string_view text) {
    std::string bytes;
    text = trimLeft(trimRight(text));
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = trimLeft(trimRight(text.substr(0, comma)));
        const auto byte = item.size() <= 2 ? hexNumber(item) : std::nullopt;
        if (!byte)
            return std::nullopt;
        bytes += static_cast<char>(*byte);
        if (comma == std::string_view::npos)
            break;
        text = text.substr(comma + 1);
        if (trimLeft(text).empty())
            return std::nullopt;
    }
    return bytes;
}

// A quoted name or text at the start of line: returns it unescaped and removes it from line.
std::optional<std::string> quoted(std::string_view& line) {
    if (!line.starts_with('"'))
        return std::nullopt;
    std::string text;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            line.remove_prefix(i + 1);
            return text;
        }
        if (c == '\\') {
            if (++i == line.size() || (line[i] != '\\' && line[i] != '"'))
                return std::nullopt;
        }
        text += line[i];
    }
    return std::nullopt;
}

std::string quote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// The data after "name=": a quoted text, dword:, hex: or hex(type):.
std::optional<RegistryValue> valueData(std::string_view data) {
    if (data.starts_with('"')) {
        const auto text = quoted(data);
        if (!text || !trimRight(data).empty())
            return std::nullopt;
        return TextValue(std::string(), *text);
    }
    if (data.starts_with("dword:")) {
        const auto number = hexNumber(trimRight(data.substr(6)));
        if (!number)
            return std::nullopt;
        return DwordValue(std::string(), static_cast<std::int32_t>(*number));
    }
    RegistryValue value;
    if (data.starts_with("hex:")) {
        value.type = REG_BINARY;
        data.remove_prefix(4);
    } else if (data.starts_with("hex(")) {
        const std::size_t close = data.find("):");
        const auto type =
            close == std::string_view::npos ? std::nullopt : hexNumber(data.substr(4, close - 4));
        if (!type)
            return std::nullopt;
        value.type = *type;
        data.remove_prefix(close + 2);
    } else {
        return std::nullopt;
    }
    auto bytes = hexBytes(data);
    if (!bytes)
        return std::nullopt;
    value.data = std::move(*bytes);
    return value;
}

// A text the quoted form can carry: one zero byte at its end and no control characters before it.
bool quotable(const std::string& data) {
    return !data.empty() && data.back() == '\0' &&
           std::none_of(data.begin(), data.end() - 1, [](char c) { return isControl(c) && c != '\t'; });
}

std::string dataText(const RegistryValue& value) {
    if (value.type == REG_SZ && quotable(value.data))
        return quote(std::string_view(value.data).substr(0, value.data.size() - 1));
    char buffer[16];
    if (value.type == REG_DWORD && value.data.size() == 4) {
        std::snprintf(buffer, sizeof buffer, "%08x", static_cast<std::uint32_t>(DwordOf(&value, value.name)));
        return std::string("dword:") + buffer;
    }
    std::string out = "hex:";
    if (value.type != REG_BINARY) {
        std::snprintf(buffer, sizeof buffer, "%x", value.type);
        out = std::string("hex(") + buffer + "):";
    }
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        if (i > 0)
            out += i % HexBytesPerLine == 0 ? ",\\\n  " : ",";
        std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned char>(value.data[i]));
        out += buffer;
    }
    return out;
}

// The line's key path below the root, from "[root]" or "[root\path]".
std::optional<std::string> sectionPath(std::string_view line, std::string_view rootName) {
    line = trimRight(line);
    if (!line.starts_with('[') || !line.ends_with(']'))
        return std::nullopt;
    line = line.substr(1, line.size() - 2);
    if (line.size() < rootName.size() || !sameName(line.substr(0, rootName.size()), rootName))
        return std::nullopt;
    line.remove_prefix(rootName.size());
    if (line.empty())
        return std::string();
    if (!line.starts_with('\\'))
        return std::nullopt;
    return KeyPathBelowRoot(line);
}

} // namespace

const RegistryValue* RegistryKey::find(std::string_view name) const {
    const auto found = byName_.find(folded(name));
    return found == byName_.end() ? nullptr : &values_[found->second];
}

void RegistryKey::put(RegistryValue value) {
    const auto [found, added] = byName_.try_emplace(folded(value.name), values_.size());
    if (added) {
        values_.push_back(std::move(value));
        return;
    }
    RegistryValue& held = values_[found->second];
    held.type = value.type;
    held.data = std::move(value.data);
}

RegistryTree::RegistryTree() : keys_{RegistryKey("")}, byPath_{{"", 0}} {}

std::optional<RegistryTree> RegistryTree::parse(std::string_view text, std::string_view rootName) {
    if (text.find('\0') != std::string_view::npos)
        return std::nullopt;
    RegistryTree tree;
    RegistryKey* key = nullptr;
    bool first = true;
    while (!text.empty()) {
        const std::size_t feed = text.find('\n');
        std::string_view line = text.substr(0, feed);
        text = feed == std::string_view::npos ? std::string_view() : text.substr(feed + 1);
        const bool wasFirst = std::exchange(first, false);
        if (trimLeft(trimRight(line)).empty() || line.starts_with(';') ||
            (wasFirst && trimRight(line) == Header))
            continue;
        if (line.starts_with('[')) {
            const auto path = sectionPath(line, rootName);
            if (!path)
                return std::nullopt;
            key = &tree.create(*path);
            continue;
        }
        if (!key)
            return std::nullopt;
        std::string name;
        if (line.starts_with('@')) {
            line.remove_prefix(1);
        } else {
            auto quotedName = quoted(line);
            if (!quotedName)
                return std::nullopt;
            name = std::move(*quotedName);
        }
        if (!line.starts_with('='))
            return std::nullopt;
        line.remove_prefix(1);
        // Hex data goes on over lines that end with a backslash.
        std::string data(trimRight(line));
        while (data.starts_with("hex") && data.ends_with('\\')) {
            data.pop_back();
            const std::size_t next = text.find('\n');
            data += trimLeft(trimRight(text.substr(0, next)));
            text = next == std::string_view::npos ? std::string_view() : text.substr(next + 1);
        }
        auto value = valueData(data);
        if (!value)
            return std::nullopt;
        value->name = std::move(name);
        key->put(std::move(*value));
    }
    return tree;
}

std::string RegistryTree::text(std::string_view rootName) const {
    std::string out = std::string(Header) + "\n";
    for (const RegistryKey& key : keys_) {
        if (key.path().empty() && key.values().empty())
            continue;
        out += "\n[" + std::string(rootName) + (key.path().empty() ? "" : "\\") + key.path() + "]\n";
        for (const RegistryValue& value : key.values())
            out += (value.name.empty() ? std::string("@") : quote(value.name)) + "=" + dataText(value) + "\n";
    }
    return out;
}

RegistryKey* RegistryTree::find(std::string_view path) {
    const auto found = byPath_.find(folded(path));
    return found == byPath_.end() ? nullptr : &keys_[found->second];
}

const RegistryKey* RegistryTree::find(std::string_view path) const {
    return const_cast<RegistryTree*>(this)->find(path);
}

RegistryKey& RegistryTree::create(std::string_view path) {
    if (RegistryKey* key = find(path))
        return *key;
    // Parents first, so that the text gives each before its children.
    for (std::size_t slash = path.find('\\'); slash != std::string_view::npos;
         slash = path.find('\\', slash + 1))
        made(path.substr(0, slash));
    return made(path);
}

RegistryKey& RegistryTree::made(std::string_view path) {
    const auto [found, added] = byPath_.try_emplace(folded(path), keys_.size());
    if (added)
        keys_.emplace_back(std::string(path));
    return keys_[found->second];
}

std::optional<std::string> KeyPathBelowRoot(std::string_view keyPath) {
    if (keyPath.starts_with('\\'))
        keyPath.remove_prefix(1);
    if (keyPath.empty())
        return std::string();
    if (keyPath.size() > MaxKeyPathLength)
        return std::nullopt;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = keyPath.find('\\', start);
        const std::string_view component = keyPath.substr(start, slash - start);
        if (component.empty() || std::ranges::any_of(component, isControl))
            return std::nullopt;
        if (slash == std::string_view::npos)
            return std::string(keyPath);
        start = slash + 1;
    }
}

bool IsStorableValueName(std::string_view name) {
    return std::ranges::none_of(name, isControl);
}

std::int32_t DwordOf(const RegistryValue* value, const std::string& name) {
    if (value && value->type != REG_DWORD)
        throw DialtopError("Invalid data type for '" + name + "'");
    if (!value || value->data.size() > 4)
        throw DialtopError("Failed to get data for '" + name + "'");
    std::uint32_t number = 0;
    for (std::size_t i = value->data.size(); i-- > 0;)
        number = number << 8 | static_cast<unsigned char>(value->data[i]);
    return static_cast<std::int32_t>(number);
}

std::string TextOf(const RegistryValue* value, const std::string& name) {
    if (!value)
        throw DialtopError("Failed to get data for '" + name + "'");
    if (value->data.empty())
        return std::string();
    if (value->type != REG_SZ && value->type != REG_EXPAND_SZ)
        throw DialtopError("Invalid data type for '" + name + "'");
    return value->data.substr(0, value->data.find('\0'));
}

RegistryValue DwordValue(const std::string& name, std::int32_t number) {
    RegistryValue value{name, REG_DWORD, std::string(4, '\0')};
    const auto bits = static_cast<std::uint32_t>(number);
    for (std::size_t i = 0; i < 4; ++i)
        value.data[i] = static_cast<char>((bits >> (8 * i)) & 0xff);
    return value;
}

RegistryValue TextValue(const std::string& name, const std::string& text) {
    return RegistryValue{name, REG_SZ, text + '\0'};
}
