#include "list/ZOLFilterParser.h"

#include "list/ZOLFilterCommon.h"
#include "list/ZOLFilterEval.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"

namespace kelvane {

FilterParser::FilterParser(ConditionPacketPool& pool, FilterValueKind kind,
                           std::string_view fieldName)
    : pool_(pool), kind_(kind), fieldName_(fieldName) {}

StatusCode FilterParser::Parse(std::string_view prepared, ConditionList& top) {
    levels_.clear();
    levels_.push_back(Level{&top});
    FilterTokenizer tokenizer(prepared);
    const bool withOperators = kind_ != FilterValueKind::Text;
    StatusCode result = status::kOk;
    std::string_view piece;
    while (result == status::kOk && tokenizer.Next(piece)) {
        result = Handle(ClassifyFilterToken(piece, withOperators));
    }
    if (result == status::kOk) {
        result = EndOfText();
    }
    // A trailing NOT leaves a packet that never became an operand.
    for (Level& level : levels_) {
        pool_.Release(level.building);
    }
    levels_.clear();
    return result;
}

StatusCode FilterParser::Handle(const FilterToken& token) {
    Level& level = levels_.back();
    switch (token.kind) {
        case FilterTokenKind::Open:
            return OpenGroup();
        case FilterTokenKind::Close:
            return CloseGroup();
        case FilterTokenKind::And:
            return Connector(true);
        case FilterTokenKind::Or:
            return Connector(false);
        case FilterTokenKind::Not: {
            ConditionPacket* packet = Building(level);
            if (packet == nullptr) {
                return Report("Internal Error - Cannot allocate condition packet");
            }
            packet->negate ^= 1;
            return status::kOk;
        }
        case FilterTokenKind::Operator:
            level.op = token.op;
            return status::kOk;
        case FilterTokenKind::Value:
            return Value(token.text);
    }
    return status::kOk;
}

ConditionPacket* FilterParser::Building(Level& level) {
    if (level.building == nullptr) {
        level.building = pool_.Acquire();
    }
    return level.building;
}

// The group joins its level with the connector in force, which stays in force for whatever
// follows the group without AND or OR.
StatusCode FilterParser::OpenGroup() {
    Level& level = levels_.back();
    ConditionPacket* group = Building(level);
    if (group == nullptr) {
        return Report("Internal Error - Cannot allocate condition packet");
    }
    level.building = nullptr;
    group->nodeKind = kNodeGroup;
    group->connector = level.nextConnector;
    level.list->push_back(group);
    level.state = State::AfterOperand;
    levels_.push_back(Level{&group->children});
    return status::kOk;
}

StatusCode FilterParser::CloseGroup() {
    if (levels_.size() == 1) {
        return Report("Missing opening parenthesis for");
    }
    const StatusCode result = LevelEndError(levels_.back());
    if (result != status::kOk) {
        return result;
    }
    pool_.Release(levels_.back().building);
    levels_.pop_back();
    return status::kOk;
}

StatusCode FilterParser::Connector(bool isAnd) {
    Level& level = levels_.back();
    const bool top = levels_.size() == 1;
    switch (level.state) {
        case State::Beginning:
            if (isAnd) {
                return Report(top ? "Illegal AND at beginning of string for"
                                  : "Illegal AND at beginning of parenthesis for");
            }
            return Report(top ? "Illegal OR at beginning of string for"
                              : "Illegal OR at beginning of parenthesis for");
        case State::AfterAnd:
            return Report(isAnd ? "Illegal AND after AND for" : "Illegal OR after AND for");
        case State::AfterOr:
            return Report(isAnd ? "Illegal AND after OR for" : "Illegal OR after OR for");
        case State::AfterOperand:
            break;
    }
    level.nextConnector = isAnd ? kConnectorAnd : kConnectorOr;
    level.state = isAnd ? State::AfterAnd : State::AfterOr;
    return status::kOk;
}

StatusCode FilterParser::Value(std::string_view text) {
    Level& level = levels_.back();
    ConditionPacket* packet = Building(level);
    if (packet == nullptr) {
        return Report("Internal Error - Cannot allocate condition packet");
    }
    switch (kind_) {
        case FilterValueKind::Text:
            SetTextCondition(*packet, text);
            break;
        case FilterValueKind::Number:
            if (!ParseFilterNumber(text, packet->numberValue)) {
                return status::kFilterIllegalNumber;
            }
            packet->compareKind = level.op;
            break;
        case FilterValueKind::Date:
            if (!IsValidFilterDate(text)) {
                return status::kFilterIllegalDate;
            }
            packet->textValue.assign(text);
            packet->compareKind = level.op;
            break;
    }
    level.building = nullptr;
    packet->nodeKind = kNodeCondition;
    packet->connector = level.nextConnector;
    level.list->push_back(packet);
    level.nextConnector = kConnectorAnd;
    level.state = State::AfterOperand;
    return status::kOk;
}

// A dangling AND or OR is named before an unclosed parenthesis: it is the nearer mistake.
StatusCode FilterParser::EndOfText() {
    const StatusCode result = LevelEndError(levels_.back());
    if (result != status::kOk) {
        return result;
    }
    if (levels_.size() > 1) {
        return Report("Missing closing parenthesis for");
    }
    return status::kOk;
}

StatusCode FilterParser::LevelEndError(const Level& level) {
    if (level.state == State::AfterAnd) {
        return Report("Missing data after AND for");
    }
    if (level.state == State::AfterOr) {
        return Report("Missing data after OR for");
    }
    return status::kOk;
}

StatusCode FilterParser::Report(const char* message) {
    NUV_WARNING("%s '%s'", Translate(message).c_str(), fieldName_.c_str());
    return status::kFilterSyntaxError;
}

}  // namespace kelvane
