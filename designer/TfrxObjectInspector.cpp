#include "TfrxObjectInspector.h"

// Not built yet: an empty window.
struct TfrxObjectInspector::Private {
};

TfrxObjectInspector::TfrxObjectInspector(TfrxCustomDesigner &, QWidget *parent)
    : QWidget(parent), d(std::make_unique<Private>())
{
}

TfrxObjectInspector::~TfrxObjectInspector() = default;

void TfrxObjectInspector::SetObjects(const QList<TfrxComponent *> &) {}
void TfrxObjectInspector::SetSelectedObjects(const QList<TfrxComponent *> &) {}
void TfrxObjectInspector::UpdateProperties() {}
void TfrxObjectInspector::CommitEdit() {}
void TfrxObjectInspector::DisableUpdate() {}
void TfrxObjectInspector::EnableUpdate() {}
int TfrxObjectInspector::SplitterPos() const { return 0; }
void TfrxObjectInspector::SetSplitterPos(int) {}
int TfrxObjectInspector::Splitter1Pos() const { return 0; }
void TfrxObjectInspector::SetSplitter1Pos(int) {}
