// The function-key table: each of F1..F12 holds an action number (settings sections
// "FunctionKeys" / "FunctionKeysMidi", values "FunctionKey1".."FunctionKey12"). F2..F4 and
// F6..F12 can be given an action; 0 and 99 keep a key's normal meaning (F1 help, F5 refresh,
// F9 the detail pane), and a number without an action (2, 25, ...) makes the key do nothing.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/ZOLViewCommands.h"

namespace kelvane {

inline constexpr int kFunctionKeyCount = 12;
inline constexpr int kNoFunctionKeyAction = 99;

struct FunctionKeyAction {
    int number;
    const char* name;  // untranslated name shown in the settings page
    ViewCommand command;
};

// The actions in table order, "(no action)" (99) last.
const std::vector<FunctionKeyAction>& FunctionKeyActions();

// The untranslated name of an action number; empty for numbers without an action.
std::string FunctionKeyActionName(int number);

// The name shown for an action: translated; the quick-copy action names its folder
// (`quickCopyPath` without its closing "/").
std::string FunctionKeyActionText(const FunctionKeyAction& action,
                                  const std::string& quickCopyPath);

// The number of the action whose translated name is `translatedName`; -1 when none.
int FunctionKeyActionNumber(const std::string& translatedName);

// What a press of F<key> (1..12) does with the table in force.
struct FunctionKeyDecision {
    enum class Kind {
        Normal,   // the key keeps its normal meaning (F1 help, F5 refresh, F9 detail pane,
                  // else nothing)
        Run,      // run `command` and consume the key
        Nothing,  // a number without an action: the key is consumed and does nothing
    };
    Kind kind = Kind::Normal;
    ViewCommand command = ViewCommand::None;
};
FunctionKeyDecision DecideFunctionKey(int key, const std::array<int, kFunctionKeyCount>& table);

// True for the keys the settings page assigns (F2..F4, F6..F12).
bool FunctionKeyAssignable(int key);

// Settings section of the run mode.
const char* FunctionKeySection(int runMode);

}  // namespace kelvane
