#include "TfrxDataTree.h"

// Not built yet: an empty window.
struct TfrxDataTree::Private {
};

TfrxDataTree::TfrxDataTree(TfrxCustomDesigner &, QWidget *parent) : QWidget(parent), d(std::make_unique<Private>()) {}
TfrxDataTree::~TfrxDataTree() = default;
void TfrxDataTree::UpdateItems() {}
QString TfrxDataTree::InsertionText() const { return {}; }
bool TfrxDataTree::CreateField() const { return true; }
bool TfrxDataTree::CreateCaption() const { return false; }
