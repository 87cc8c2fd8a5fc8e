#include "settings/ProfileFile.h"

#include "settings/ProfileValue.h"

#include <algorithm>

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

// The name of a section line; text after the "]" is ignored.
std::optional<std::string_view> sectionName(std::string_view line) {
    const std::string_view text = TrimProfileBlanks(line);
    if (!text.starts_with('['))
        return std::nullopt;
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return TrimProfileBlanks(text.substr(1, close - 1));
}

std::optional<std::string_view> keyName(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return TrimProfileBlanks(line.substr(0, equals));
}

bool holdsKey(std::string_view line, std::string_view key) {
    const auto name = keyName(line);
    return name && sameName(*name, key);
}

} // namespace

ProfileFile ProfileFile::parse(std::string_view bytes) {
    ProfileFile file;
    bool newlineSeen = false;
    while (!bytes.empty()) {
        Line line;
        const std::size_t feed = bytes.find('\n');
        std::string_view text = bytes.substr(0, feed);
        if (feed == std::string_view::npos) {
            bytes = {};
        } else {
            line.end = text.ends_with('\r') ? "\r\n" : "\n";
            text.remove_suffix(line.end.size() - 1);
            bytes.remove_prefix(feed + 1);
            // Added lines follow the file's own line ends.
            if (!newlineSeen)
                file.newline_ = line.end;
            newlineSeen = true;
        }
        line.text = text;
        if (const auto name = sectionName(line.text))
            file.sections_.push_back(Section{std::string(*name), std::move(line), {}});
        else
            file.sections_.back().lines.push_back(std::move(line));
    }
    return file;
}

std::string ProfileFile::bytes() const {
    std::string out;
    auto append = [&out](const Line& line) {
        out += line.text;
        out += line.end;
    };
    for (const Section& section : sections_) {
        if (section.header)
            append(*section.header);
        std::ranges::for_each(section.lines, append);
    }
    return out;
}

const ProfileFile::Section* ProfileFile::findSection(std::string_view name) const {
    const auto found = std::ranges::find_if(
        sections_, [name](const Section& section) { return section.header && sameName(section.name, name); });
    return found == sections_.end() ? nullptr : &*found;
}

std::optional<std::string_view> ProfileFile::findValue(std::string_view section, std::string_view key) const {
    const Section* found = findSection(section);
    if (!found)
        return std::nullopt;
    for (const Line& line : found->lines) {
        if (holdsKey(line.text, key))
            return std::string_view(line.text).substr(line.text.find('=') + 1);
    }
    return std::nullopt;
}

std::string ProfileFile::readText(std::string_view section, std::string_view key,
                                  std::string_view fallback) const {
    const auto raw = findValue(section, key);
    if (!raw)
        return std::string(fallback);
    return std::string(ProfileValueText(*raw).substr(0, MaxTextLength));
}

std::int32_t ProfileFile::readInteger(std::string_view section, std::string_view key,
                                      std::int32_t fallback) const {
    const auto raw = findValue(section, key);
    if (!raw)
        return fallback;
    return ParseProfileInteger(ProfileValueText(*raw)).value_or(fallback);
}

bool ProfileFile::readBool(std::string_view section, std::string_view key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void ProfileFile::endLine(Line& line) const {
    if (line.end.empty())
        line.end = newline_;
}

void ProfileFile::writeText(std::string_view section, std::string_view key, std::string_view value) {
    // A line break would let a value forge lines of its own.
    value = value.substr(0, value.find_first_of("\r\n"));
    std::string text = std::string(key) + "=" + std::string(value);

    auto* found = const_cast<Section*>(findSection(section));
    if (!found) {
        Section& last = sections_.back();
        if (!last.lines.empty())
            endLine(last.lines.back());
        else if (last.header)
            endLine(*last.header);
        std::string header(1, '[');
        header.append(section).push_back(']');
        sections_.push_back(Section{std::string(section), Line{std::move(header), newline_}, {}});
        found = &sections_.back();
    }

    std::vector<Line>& lines = found->lines;
    const auto existing =
        std::ranges::find_if(lines, [key](const Line& line) { return holdsKey(line.text, key); });
    if (existing != lines.end()) {
        existing->text = std::move(text);
        return;
    }
    const auto lastKey = std::ranges::find_if(
        lines.rbegin(), lines.rend(), [](const Line& line) { return keyName(line.text).has_value(); });
    const auto at = lastKey.base();
    endLine(at == lines.begin() ? *found->header : *(at - 1));
    lines.insert(at, Line{std::move(text), newline_});
}

void ProfileFile::writeInteger(std::string_view section, std::string_view key, std::int32_t value) {
    writeText(section, key, std::to_string(value));
}

void ProfileFile::writeBool(std::string_view section, std::string_view key, bool value) {
    writeText(section, key, value ? "1" : "0");
}
