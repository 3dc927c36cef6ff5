#pragma once
// Letter case of text: the one rule the key expressions' Upper() and Lower() follow, and with them
// every code, name and list entry the program upper-cases, so that a key built outside the index
// equals the key the index holds. Names of fields, tags, aliases and files are plain ASCII and
// have their own, ASCII-only helpers here.

#include <string>
#include <string_view>

namespace tarvo::xbase {

class CodePage;

// UTF-8 text in upper case for a table of the given code page: the ASCII letters, and the Latin-1
// letters à ... þ (but the sign ÷) whose capital À ... Þ the code page holds too. A letter whose
// other case the code page lacks stays as it is, so that text of the code page stays in it and
// a key never turns a letter into "?". Every other character is left alone.
std::string upperCase(std::string_view text, const CodePage& codePage);
// The same the other way round: capitals to small letters where the code page holds both.
std::string lowerCase(std::string_view text, const CodePage& codePage);

// ASCII letters only, for names that are ASCII by definition (fields, tags, aliases, files).
char asciiUpper(char c);
std::string asciiUpperCase(std::string_view name);
// Equal text ignoring ASCII case.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace tarvo::xbase
