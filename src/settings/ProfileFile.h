#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A sectioned key=value text file held in memory. Reading follows the rules the settings file has
// always had; writing changes only the lines of the keys written, so everything else in the file, its
// comments and its line ends, comes back byte for byte from bytes().
//
// A section line is "[name]" (blanks allowed around it); a line starting "[" without its "]" is an
// ordinary line of the section above. A line with "=" holds a key named by the text before the first "=".
// Names are matched without regard to ASCII letter case; of duplicate sections or keys the first wins.
class ProfileFile {
public:
    // The longest text a read gives; longer values are cut.
    static constexpr std::size_t MaxTextLength = 2047;

    static ProfileFile parse(std::string_view bytes);
    std::string bytes() const;

    // A missing key gives the fallback; an empty value gives an empty text.
    std::string readText(std::string_view section, std::string_view key, std::string_view fallback) const;
    // A missing key, an empty value or one that is no number gives the fallback.
    std::int32_t readInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
    // Read as an integer whose fallback is 1 or 0; any non-zero number is true.
    bool readBool(std::string_view section, std::string_view key, bool fallback) const;

    // Replaces the key's line where it stands, or adds the key after the last key of its section, or
    // adds the section at the end. A value is one line: it ends at its first line break.
    void writeText(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, std::int32_t value);
    void writeBool(std::string_view section, std::string_view key, bool value);

private:
    struct Line {
        std::string text;
        std::string end; // "\n", "\r\n", or empty for a last line without a line end
    };
    struct Section {
        std::string name;
        std::optional<Line> header; // none for the lines before the first section line
        std::vector<Line> lines;
    };

    const Section* findSection(std::string_view name) const;
    std::optional<std::string_view> findValue(std::string_view section, std::string_view key) const;
    void endLine(Line& line) const;

    std::vector<Section> sections_{Section{}};
    std::string newline_ = "\n";
};
