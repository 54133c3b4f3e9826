// Writes the two template data files into the folder given as the only
// argument, from the schema built into the data layer.

#include "kinzo/data/KinzoSchema.h"

#include <QDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: make_kinzo_templates <program folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const std::pair<QString, kinzo_schema::FileKind> files[] = {
        {u"_kinzoTemplate.kzd"_s, kinzo_schema::FileKind::Ledger},
        {u"_kinzoTemplate_payment.kzd"_s, kinzo_schema::FileKind::Payment},
    };
    for (const auto& [name, kind] : files) {
        QString error;
        if (!kinzo_schema::CreateDataFile(folder.filePath(name), kind, error)) {
            err << name << ": " << error << "\n";
            return 1;
        }
    }
    return 0;
}
