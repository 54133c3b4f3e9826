#include "kinzo/dialogs/print/PrintReport.h"

#include "grid/CXGrid.h"

using namespace Qt::StringLiterals;

namespace {

PrintGridBuilder& Builder()
{
    static PrintGridBuilder builder;
    return builder;
}

}  // namespace

void SetPrintGridBuilder(PrintGridBuilder builder)
{
    Builder() = std::move(builder);
}

std::unique_ptr<CXGrid> BuildPrintGrid(CKinzoDoc& document, const _PrintRequest& request)
{
    return Builder() ? Builder()(document, request) : nullptr;
}

QString PrintReportName(int report)
{
    static const QString names[PrintReportCount] = {u"リスト表示集計表"_s, u"日表示集計表"_s, u"月表示集計表"_s,
                                                    u"年表示集計表"_s};
    return report >= 0 && report < PrintReportCount ? names[report] : QString();
}
