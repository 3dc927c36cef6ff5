#pragma once
// Internal to the expression compiler: the shapes of compiled nodes, for code that evaluates some kinds of
// expression a faster way. Each function recognises one kind of node and gives nullopt for any other.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "xbase/codepage.h"
#include "xbase/expression/nodes.h"

namespace tarvo::xbase::expression_detail {

// The handle of a field.
std::optional<int> fieldOf(const Node& node);

// The operands of a '+' (a concatenation when both give character values).
std::optional<std::pair<const Node*, const Node*>> additionOf(const Node& node);

// A call of a function that changes each character of its text on its own, whatever stands around it
// (Upper, Lower): applying `map` to the characters one at a time gives the same text as the call, for
// text of a table in the given code page.
using CharacterMap = std::string (*)(std::string_view, const CodePage&);
struct CharacterCall {
    CharacterMap map;
    const Node* argument;
};
std::optional<CharacterCall> characterCallOf(const Node& node);

}  // namespace tarvo::xbase::expression_detail
