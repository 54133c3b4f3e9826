#pragma once
// The one place where the Jet SQL texts that the program builds become what
// SQLite runs with the same effect. CDBConnection passes every statement
// through Translate; nothing else rewrites SQL.
//
// Accepted beyond SQLite's own dialect:
//  - date literals "#yyyy/mm/dd#", "#yyyy/mm/dd hh:mm:ss#" and the month form
//    "#yyyy/mm#" (its first day), which become the parameters ?1, ?2 ... holding
//    the stored text of DateValue.h;
//  - [bracketed] names, and names that start with a digit such as 1月;
//  - "SELECT TOP n ..." (becomes LIMIT n), "SELECT @@IDENTITY" (the key of the
//    last row this connection inserted), True and False (1 and 0);
//  - Jet strings in double quotes;
//  - the qualified columns of the stored query View_出納簿 ("出納簿.ID",
//    "出納簿.備考", and 出納簿.<column> for its other columns) anywhere in a
//    statement that reads the query;
//  - Format, Year, DateAdd and LIKE, which are functions registered on the
//    connection (SqlFunctions.h), not rewritten here;
//  - three statements that are operations rather than SQL: the CSV export
//    "SELECT * INTO [Text;database=<folder>].<file> FROM <table>", the CSV
//    import "INSERT INTO <table> SELECT * FROM [Text;database=<folder>].<file>",
//    and the copy of a table between data files
//    "SELECT * INTO [;DATABASE=<file>].[<table>] FROM [;DATABASE=<file>].[<table>]".
// Reentrant; holds no state.

#include <QString>
#include <QStringList>

struct JetStatement {
    enum class Kind { Sql, ExportCsv, ImportCsv, CopyTable };
    Kind kind = Kind::Sql;
    QString sql;          // Sql: the statement in SQLite's dialect
    QStringList parameters;  // Sql: the values of ?1, ?2 ... (the date literals)
    QString table;        // ExportCsv, ImportCsv: the table; CopyTable: the table created
    QString csvPath;      // ExportCsv, ImportCsv: folder and file name joined
    QString targetFile;   // CopyTable: the data file that receives the table
    QString sourceFile;   // CopyTable: the data file copied from
    QString sourceTable;  // CopyTable: the table copied
};

class CJetTranslator {
public:
    // Translates one statement. Returns false, with the reason in error, for a
    // text that cannot be one (an unterminated quote, an impossible date).
    static bool Translate(const QString& jet, JetStatement& out, QString& error);

    // The stored text of a Jet date literal's inside ("2010/04/01" gives
    // "2010-04-01", "2010/04" gives "2010-04-01"); empty when it is no date.
    static QString DateLiteralValue(QStringView inside);
};
