#include "subjecttable.h"

namespace tamrik::ruledb {

std::vector<SubjectName> ReadSubjectTable(const RuleDatabase& db)
{
    QueryResult rows = db.query("SELECT SubCod, SubName FROM SubjectTable ORDER BY SubCod;");
    std::vector<SubjectName> subjects;
    for (; !rows.EOF_(); rows.MoveNext()) {
        const DbValue code = rows.field("SubCod");
        const DbValue name = rows.field("SubName");
        if (code.isNull())
            continue;
        subjects.push_back({code.toText(), name.isNull() ? std::string() : name.toText()});
    }
    return subjects;
}

}  // namespace tamrik::ruledb
