#pragma once
// A fresh, temporary program folder for one test, holding a copy of the
// built rule database (or none, or any file the test puts in its place).

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace tamrik::testing {

class ProgramFolder {
public:
    // withRuleDb: copy the bundled ScoreRule.mdb in (from TAMRIK_RULE_DB).
    explicit ProgramFolder(bool withRuleDb = true);

    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    QString fallback() const { return m_dir.filePath(QStringLiteral("fallback")); }

    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;
    // Lines of a CR LF text file, without their line ends, and back.
    QStringList lines(const QString& name) const;
    void writeLines(const QString& name, const QStringList& lines) const;
    // Runs SQL on the rule database (created when missing) and records the
    // new content's digest, as the tool that builds it would; false when
    // SQLite refuses.
    bool changeRuleDb(const QString& sql) const;

    static QString bundledRuleDb();

private:
    QTemporaryDir m_dir;
};

// The 53 lines of an entries file: "code=score" pairs (apart by blanks) over
// 51 "-1", then the GPA and PR digits.
QStringList EntriesLines(const QString& scores = QString(), const QString& gpa = QStringLiteral("000"),
                         const QString& pr = QStringLiteral("0000"));

// The control with this objectName below root; fails the test when missing.
template <typename T>
T* Find(const QObject* root, const QString& name)
{
    T* found = root->findChild<T*>(name);
    if (!found)
        QTest::qFail(qPrintable(QStringLiteral("no control named ") + name), __FILE__, __LINE__);
    return found;
}

}  // namespace tamrik::testing
