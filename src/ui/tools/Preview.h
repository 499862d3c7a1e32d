#pragma once
// The preview window of every printout: the pages drawn as images by tools/ReportRenderer, with
// zoom, page navigation, printing and "Save as PDF".
//
//   kv::ui::TPreviewF pv(doc, this);   // doc: a kv::tools::Document (copied)
//   pv.exec();
#include "tools/Page.h"
#include <QDialog>
#include <QImage>
#include <vector>

class QLabel;
class QScrollArea;
class QToolButton;
class QComboBox;

namespace kv::ui {

class TPreviewF : public QDialog {
    Q_OBJECT
public:
    explicit TPreviewF(const tools::Document& doc, QWidget* parent = nullptr);

    int pageCount() const;
    int currentPage() const { return page_; } // from 0
    double zoom() const { return zoom_; }     // 1.0 = paper size at the screen's resolution

    void showPage(int index);
    void firstPage() { showPage(0); }
    void priorPage() { showPage(page_ - 1); }
    void nextPage() { showPage(page_ + 1); }
    void lastPage() { showPage(pageCount() - 1); }
    void setZoom(double z);  // 0.25 .. 4
    void zoomIn();
    void zoomOut();
    void fitWidth();
    void fitPage();

    // Prints on a printer chosen in the print options dialog (without its preview choice).
    void printDocument();
    // Asks for a file name and writes the document as a PDF; writes `path` directly when given.
    bool saveAsPdf(const QString& path = {});

    // The image shown now (tests).
    QImage shownImage() const;
    QLabel* pageLabel() const { return LblPage; }

private:
    void render();
    void updateNavigation();

    tools::Document doc_;
    std::vector<QImage> cache_; // page images at the current zoom (null until drawn)
    int page_ = 0;
    double zoom_ = 1.0;
    double screenDpi_ = 96;

    QScrollArea* area = nullptr;
    QLabel* image = nullptr;
    QLabel* LblPage = nullptr;
    QComboBox* CBZoom = nullptr;
    QToolButton *SBFirst = nullptr, *SBPrior = nullptr, *SBNext = nullptr, *SBLast = nullptr;
};

} // namespace kv::ui
