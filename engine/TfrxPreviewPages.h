#pragma once

#include "TfrxCustomPreviewPages.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

class TfrxBand;
class TfrxComponent;
class TfrxDictionary;
class TfrxOutline;
class TfrxPictureCache;
class TfrxPictureView;
class TfrxXMLDocument;
class TfrxXMLItem;

enum TfrxAddPageAction { apWriteOver = 0, apAdd = 1 };

// The store of prepared pages. Every template page is copied once as a source page; a prepared
// page keeps, per object, only what differs from its source copy, in an XML document whose old
// pages can move to a temporary file. Pages are rebuilt into object trees on demand and the most
// recent ones kept in a small cache.
class TfrxPreviewPages : public TfrxCustomPreviewPages
{
public:
    explicit TfrxPreviewPages(TfrxReport *report);
    ~TfrxPreviewPages() override;

    // Reader side.
    int GetCount() const override;
    TfrxReportPage *GetPage(int index) override;
    QSize GetPageSize(int index) override;
    void DrawPage(int index, QPainter *canvas, double scaleX, double scaleY, double offsetX,
                  double offsetY) override;
    void Clear() override;
    void SaveToStream(QIODevice *stream) override;
    void LoadFromStream(QIODevice *stream, bool allowPartialLoading = false) override;
    bool SaveToFile(const QString &fileName) override;
    bool LoadFromFile(const QString &fileName, bool exceptionIfNotFound = false) override;
    void AddFrom(TfrxReport *report) override;

    // Engine side.
    void Initialize();
    void BeginPass();
    void AddSourcePage(TfrxReportPage *page);
    // Registers an object made during preparation on the last source page, so that it is stored
    // by difference like the template's objects.
    void AddToSourcePage(TfrxComponent *obj);
    void AddPage(TfrxReportPage *page);
    // Stores a band (or any object) with its children on the current page. The objects of the
    // band can be given explicitly (the loose objects of a page, the part of a split band).
    void AddObject(TfrxComponent *obj);
    void AddObject(TfrxComponent *obj, const QList<TfrxComponent *> &children);
    void AddPicture(TfrxPictureView *view);
    bool BandExists(const TfrxBand *band);
    // Number of objects on the current page.
    int GetCurPosition();
    // The lowest bottom of the bands on the current page (page footers and overlays aside),
    // counting only bands at columnPosition unless it is 0.
    double GetLastY(double columnPosition = 0);
    void CutObjects(int position);
    void PasteObjects(double x, double y);
    void IncLogicalPageNumber();
    void ResetLogicalPageNumber();
    int GetLogicalPageNo();
    int GetLogicalTotalPages();
    void UpdatePageDimensions(TfrxReportPage *page, double height, double width);
    void ClearFirstPassPages();
    void Finish();
    void AddAnchor(const QString &text, double top);
    int GetAnchorCurPosition();
    void ShiftAnchors(int from, int newTop);
    // 1-based page of an anchor; 1 when there is none.
    int GetAnchorPage(const QString &text);

    // Editing.
    void AddEmptyPage(int index);
    void DeletePage(int index);
    void ModifyPage(int index, TfrxReportPage *page) override;

    TfrxAddPageAction AddPageAction() const { return FAddPageAction; }
    void SetAddPageAction(TfrxAddPageAction value) { FAddPageAction = value; }
    int FirstPage() const { return FFirstPage; }
    void SetFirstPage(int value) { FFirstPage = value; }
    TfrxOutline &Outline() const { return *FOutline; }
    int SourcePageCount() const { return int(FSourcePages.size()); }
    TfrxReportPage *SourcePage(int index) const;
    int CopyNo() const { return FCopyNo; }
    void SetCopyNo(int value) { FCopyNo = value; }
    double PrintScale() const { return FPrintScale; }
    void SetPrintScale(double value) { FPrintScale = value; }
    // The prepared report's XML document (for tests and tools).
    TfrxXMLDocument &Document() const { return *FXMLDoc; }
    // Estimated bytes of pages held in memory.
    qint64 XMLSize() const { return FXMLSize; }

private:
    TfrxXMLItem *RootChild(const QString &name) const;
    TfrxXMLItem *PagesItem() const { return RootChild(QStringLiteral("previewpages")); }
    TfrxXMLItem *PageItem(int index) const;
    TfrxXMLItem *CurPageItem();
    int SourceIndexOf(const TfrxReportPage *page) const;
    void CopySourceTree(TfrxComponent *source, TfrxComponent *copyParent, int pageIndex);
    void RegisterSource(TfrxComponent *source, TfrxComponent *copy, int pageIndex);
    QString BaseNameOf(TfrxComponent *copy) const;
    void WriteObject(TfrxXMLItem *parent, TfrxComponent *obj, const QList<TfrxComponent *> &children,
                     bool fullTree);
    void UnloadOldPages();
    void DropCachedPages();
    std::unique_ptr<TfrxReportPage> BuildPage(int index);
    void ReadObjects(TfrxXMLItem *item, TfrxComponent *parent, bool fullTree);
    void WriteSourcePages();
    void ReadSourcePages();
    void WriteDictionary();
    void ReadDictionary();
    TfrxXMLItem *LogicalPageItem(int index) const;
    // Checks of a loaded file (TfrxPreviewPagesChecks.cpp).
    void AddLoadError(const QString &message) const;
    void AddLoadErrors(const QStringList &messages) const;
    const TfrxReportPage *SourcePageOf(const TfrxXMLItem *item) const;
    static std::unique_ptr<TfrxReportPage> CreatePage(const QString &className);
    const QMetaObject *StoredClass(const TfrxXMLItem *item, bool fullTree) const;
    bool MayStandIn(const TfrxXMLItem *item, const QMetaObject *container, bool fullTree) const;
    void CheckObjects(const TfrxXMLItem *item, const QMetaObject *container, int pageNo) const;
    void CheckPages() const;
    // A new page element holding the whole tree of a page.
    TfrxXMLItem *FullTreeItem(TfrxReportPage *page) const;

    std::unique_ptr<TfrxXMLDocument> FXMLDoc;
    std::vector<std::unique_ptr<TfrxReportPage>> FSourcePages;
    std::unique_ptr<TfrxDictionary> FDictionary;
    std::unique_ptr<TfrxOutline> FOutline;
    std::unique_ptr<TfrxPictureCache> FPictureCache;
    struct CachedPage {
        int Index;
        std::unique_ptr<TfrxReportPage> Page;
    };
    std::vector<CachedPage> FPageCache;
    TfrxAddPageAction FAddPageAction = apAdd;
    int FFirstPage = 0;
    qint64 FXMLSize = 0;
    int FCopyNo = 1;
    double FPrintScale = 1;
    int FFirstPageIndex = -1;
    int FFirstObjectIndex = 0;
    int FFirstOutlineIndex = 0;
    int FLogicalPageN = 0;
    double FLastY = 0;
};
