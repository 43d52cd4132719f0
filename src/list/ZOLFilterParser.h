// The parse of one prepared filter input into a condition list (grammar: ZOLFilterCommon.h).
// Levels are kept on an explicit stack, so nesting depth is bounded only by the packet pool.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "list/ZOLConditionPacket.h"
#include "list/ZOLFilterInput.h"
#include "support/NUVStatus.h"

namespace kelvane {

enum class FilterValueKind { Text, Number, Date };

class FilterParser {
  public:
    FilterParser(ConditionPacketPool& pool, FilterValueKind kind, std::string_view fieldName);

    // Parses into `top` (appending). Syntax errors are shown here and return -12565; an
    // illegal number or date returns -12566 / -12567 without a message (the caller shows
    // it). Packets still being built when the parse ends go back to the pool.
    StatusCode Parse(std::string_view prepared, ConditionList& top);

  private:
    enum class State { Beginning, AfterOperand, AfterAnd, AfterOr };
    struct Level {
        ConditionList* list;
        State state = State::Beginning;
        int32_t nextConnector = kConnectorFirst;
        CompareKind op = CompareKind::Equal;  // numbers and dates
        ConditionPacket* building = nullptr;  // taken by NOT before its operand came
    };

    StatusCode Handle(const FilterToken& token);
    StatusCode OpenGroup();
    StatusCode CloseGroup();
    StatusCode Connector(bool isAnd);
    StatusCode Value(std::string_view text);
    StatusCode EndOfText();
    StatusCode LevelEndError(const Level& level);
    ConditionPacket* Building(Level& level);
    StatusCode Report(const char* message);

    ConditionPacketPool& pool_;
    FilterValueKind kind_;
    std::string fieldName_;
    std::vector<Level> levels_;
};

}  // namespace kelvane
