#include "CKinzoIniFile.h"

#include "platform/PrivateProfile.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString setup = u"Setup"_s;
const QString print = u"Print"_s;
const QString listFormat = u"ListFormat"_s;

QString listFormatKey(ListFormatGrid grid, int forPrinting)
{
    static const char* const names[] = {"List", "SummaryHorz", "SummaryVert1",
                                        "SummaryVert2", "SummaryVert3", "AccountVert"};
    const QString name = QString::fromLatin1(names[int(grid)]);
    return forPrinting ? name + u"Prn"_s : name;
}

}  // namespace

QString CKinzoIniFile::ReadDBFileName() const { return ReadString(setup, u"DBFileName"_s); }
bool CKinzoIniFile::WriteDBFileName(const QString& p) { return WriteString(setup, u"DBFileName"_s, p); }

int CKinzoIniFile::ReadStartMonth() const
{
    const int month = ReadInt(setup, u"StartMonth"_s);
    return month >= 1 && month <= 12 ? month : 1;
}
bool CKinzoIniFile::WriteStartMonth(int m) { return WriteInt(setup, u"StartMonth"_s, m); }

int CKinzoIniFile::ReadSaveAnounceStartDays() const { return ReadInt(setup, u"SaveAnounceStartDays"_s); }
bool CKinzoIniFile::WriteSaveAnounceStartDays(int d) { return WriteInt(setup, u"SaveAnounceStartDays"_s, d); }
int CKinzoIniFile::ReadAccountExpandLevel() const { return ReadInt(setup, u"AccountExpandLevel"_s); }
bool CKinzoIniFile::WriteAccountExpandLevel(int l) { return WriteInt(setup, u"AccountExpandLevel"_s, l); }
int CKinzoIniFile::ReadHideZeroAccount() const { return ReadInt(setup, u"HideZeroAccount"_s); }
bool CKinzoIniFile::WriteHideZeroAccount(int h) { return WriteInt(setup, u"HideZeroAccount"_s, h); }
int CKinzoIniFile::ReadGridMoveMode() const { return ReadInt(setup, u"GridMoveMode"_s); }
bool CKinzoIniFile::WriteGridMoveMode(int m) { return WriteInt(setup, u"GridMoveMode"_s, m); }
int CKinzoIniFile::ReadReadLevel() const { return ReadInt(setup, u"ReadLevel"_s, 1); }
bool CKinzoIniFile::WriteReadLevel(int l) { return WriteInt(setup, u"ReadLevel"_s, l); }
int CKinzoIniFile::ReadPaymentDisp() const { return ReadInt(setup, u"PaymentDisp"_s, 3); }
bool CKinzoIniFile::WritePaymentDisp(int f) { return WriteInt(setup, u"PaymentDisp"_s, f); }
int CKinzoIniFile::ReadLoanPaymentDisp() const { return ReadInt(setup, u"LoanPaymentDisp"_s, 3); }
bool CKinzoIniFile::WriteLoanPaymentDisp(int f) { return WriteInt(setup, u"LoanPaymentDisp"_s, f); }
bool CKinzoIniFile::WriteMaxHistorys(int c) { return WriteInt(setup, u"MaxHistorys"_s, c); }

QString CKinzoIniFile::ReadPrintFontName() const { return ReadString(print, u"FontName"_s, u"MS Gothic"_s); }
bool CKinzoIniFile::WritePrintFontName(const QString& n) { return WriteString(print, u"FontName"_s, n); }
int CKinzoIniFile::ReadPrintFontSize() const { return ReadInt(print, u"FontSize"_s, 12); }
bool CKinzoIniFile::WritePrintFontSize(int s) { return WriteInt(print, u"FontSize"_s, s); }
int CKinzoIniFile::ReadPrintTableOrient() const { return std::clamp(ReadInt(print, u"TableOrient"_s), 0, 1); }
bool CKinzoIniFile::WritePrintTableOrient(int o) { return WriteInt(print, u"TableOrient"_s, o); }
int CKinzoIniFile::ReadPrintAccountExpandLevel() const { return ReadInt(print, u"AccountExpandLevel"_s); }
bool CKinzoIniFile::WritePrintAccountExpandLevel(int l) { return WriteInt(print, u"AccountExpandLevel"_s, l); }
QString CKinzoIniFile::ReadPrinterName() const { return ReadString(print, u"PrinterName"_s); }
bool CKinzoIniFile::WritePrinterName(const QString& n) { return WriteString(print, u"PrinterName"_s, n); }
int CKinzoIniFile::ReadPaperSize() const { return ReadInt(print, u"PaperSize"_s); }
bool CKinzoIniFile::WritePaperSize(int c) { return WriteInt(print, u"PaperSize"_s, c); }
int CKinzoIniFile::ReadPaperOrientation() const { return ReadInt(print, u"PaperOrientation"_s); }
bool CKinzoIniFile::WritePaperOrientation(int c) { return WriteInt(print, u"PaperOrientation"_s, c); }

void CKinzoIniFile::ReadListFormat(ListFormatGrid grid, int forPrinting, QList<int>& widths) const
{
    ReadIntList(listFormat, listFormatKey(grid, forPrinting), widths);
}

bool CKinzoIniFile::WriteListFormat(ListFormatGrid grid, int forPrinting, const QList<int>& widths)
{
    return WriteIntList(listFormat, listFormatKey(grid, forPrinting), widths);
}

bool CKinzoIniFile::ClearListFormats()
{
    return platform::profile::removeSection(GetFilePath(), listFormat);
}

void CKinzoIniFile::ReadNotes(QStringList& n) const { ReadStringList(u"Notes"_s, u"Item"_s, n); }
bool CKinzoIniFile::WriteNotes(const QStringList& n) { return WriteStringList(u"Notes"_s, u"Item"_s, n); }
void CKinzoIniFile::ReadImportFolders(QStringList& f) const { ReadStringList(u"Import"_s, u"Folder"_s, f); }
bool CKinzoIniFile::WriteImportFolders(const QStringList& f) { return WriteStringList(u"Import"_s, u"Folder"_s, f); }
void CKinzoIniFile::ReadExportFolders(QStringList& f) const { ReadStringList(u"Export"_s, u"Folder"_s, f); }
bool CKinzoIniFile::WriteExportFolders(const QStringList& f) { return WriteStringList(u"Export"_s, u"Folder"_s, f); }
