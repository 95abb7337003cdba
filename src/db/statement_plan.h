#pragma once
// The statements a registry would run, listed without running them, so that
// a check can prepare every one of them on its database before anything is
// erased. A converter lists its statements by running in planning mode
// (Session::planning): the copy loop and the helpers that run statements
// beside it record their texts instead of running them; what a loop's
// callbacks run per row (lookups, further writes) the loop declares.
#include <string>
#include <vector>

namespace conversor {

class Session;

enum class Database { Source, Target };

struct PlannedStatement {
    Database on;
    std::string sql;
    bool operator==(const PlannedStatement&) const = default;
};

using StatementPlan = std::vector<PlannedStatement>;

inline PlannedStatement OnSource(std::string sql) { return {Database::Source, std::move(sql)}; }
inline PlannedStatement OnTarget(std::string sql) { return {Database::Target, std::move(sql)}; }

// Both lists, in order.
StatementPlan operator+(StatementPlan first, const StatementPlan& second);

// Records into plan what the session runs until the scope ends.
class PlanningScope {
public:
    PlanningScope(Session& s, StatementPlan& plan);
    ~PlanningScope();
    PlanningScope(const PlanningScope&) = delete;
    PlanningScope& operator=(const PlanningScope&) = delete;

private:
    Session& s_;
    StatementPlan* previous_;
};

// A statement the server would not take, with its reason.
struct PrepareFailure {
    PlannedStatement statement;
    std::string reason;  // the server's own message
};

// Prepares each distinct statement of the plan on its connection, without
// running it; the ones the server refuses, in the plan's order.
std::vector<PrepareFailure> PrepareEach(Session& s, const StatementPlan& plan);

}  // namespace conversor
