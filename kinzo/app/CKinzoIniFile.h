#pragma once
// The cash book's own keys of its settings file, one read and one write per
// key. Reads give the documented default when the key is missing and keep
// values in their range; see DEFAULT_Kinzo.ini for the shipped first values.

#include "kolib/CKoInifileBase.h"

// The grids whose column widths are kept in section "ListFormat".
enum class ListFormatGrid { List, SummaryHorz, SummaryVert1, SummaryVert2, SummaryVert3, AccountVert };

class CKinzoIniFile : public CKoInifileBase {
public:
    // Section "Setup".
    QString ReadDBFileName() const;
    bool WriteDBFileName(const QString& path);
    int ReadStartMonth() const;             // 1 to 12; anything else reads as 1
    bool WriteStartMonth(int month);
    int ReadSaveAnounceStartDays() const;
    bool WriteSaveAnounceStartDays(int days);
    int ReadAccountExpandLevel() const;
    bool WriteAccountExpandLevel(int level);
    int ReadHideZeroAccount() const;
    bool WriteHideZeroAccount(int hide);
    int ReadGridMoveMode() const;
    bool WriteGridMoveMode(int mode);
    int ReadReadLevel() const;              // 1 when missing
    bool WriteReadLevel(int level);
    int ReadPaymentDisp() const;            // 3 when missing
    bool WritePaymentDisp(int filter);
    int ReadLoanPaymentDisp() const;        // 3 when missing
    bool WriteLoanPaymentDisp(int filter);
    bool WriteMaxHistorys(int count);

    // Section "Print".
    QString ReadPrintFontName() const;      // "MS Gothic" when missing
    bool WritePrintFontName(const QString& name);
    int ReadPrintFontSize() const;          // 12 when missing
    bool WritePrintFontSize(int size);
    int ReadPrintTableOrient() const;       // 0 or 1; above 1 reads as 1
    bool WritePrintTableOrient(int orient);
    int ReadPrintAccountExpandLevel() const;
    bool WritePrintAccountExpandLevel(int level);
    QString ReadPrinterName() const;
    bool WritePrinterName(const QString& name);
    int ReadPaperSize() const;
    bool WritePaperSize(int code);
    int ReadPaperOrientation() const;
    bool WritePaperOrientation(int code);

    // Section "ListFormat": column widths of a grid on screen (forPrinting 0)
    // or on paper (1, the key with "Prn"). Empty: the grid's own widths.
    void ReadListFormat(ListFormatGrid grid, int forPrinting, QList<int>& widths) const;
    bool WriteListFormat(ListFormatGrid grid, int forPrinting, const QList<int>& widths);
    // Forgets every stored width, on screen and on paper.
    bool ClearListFormats();

    // Histories, newest first.
    void ReadNotes(QStringList& notes) const;
    bool WriteNotes(const QStringList& notes);
    void ReadImportFolders(QStringList& folders) const;
    bool WriteImportFolders(const QStringList& folders);
    void ReadExportFolders(QStringList& folders) const;
    bool WriteExportFolders(const QStringList& folders);
};
