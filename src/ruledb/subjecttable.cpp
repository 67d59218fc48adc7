#include "subjecttable.h"

#include "rulenames.h"

namespace tamrik::ruledb {

std::vector<SubjectName> readSubjectTable(const RuleDatabase& db)
{
    QueryResult rows = db.query(std::string("SELECT ") + kSubCod + ", " + kSubName + " FROM " + kSubjectTable
                                + " ORDER BY " + kSubCod + ";");
    std::vector<SubjectName> subjects;
    for (; !rows.EOF_(); rows.MoveNext()) {
        const DbValue code = rows.field(kSubCod);
        const DbValue name = rows.field(kSubName);
        if (code.isNull())
            continue;
        subjects.push_back({code.toText(), name.isNull() ? std::string() : name.toText()});
    }
    return subjects;
}

}  // namespace tamrik::ruledb
