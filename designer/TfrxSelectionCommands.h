#pragma once

#include <QList>

class TfrxComponent;
class TfrxPage;

// Select All: when a band, or one object inside a band, is the only selection, every object of
// that band; otherwise every object that lies directly on the page. The page itself when there is
// nothing to select.
void zorSelectAll(TfrxPage *page, QList<TfrxComponent *> &selection);

// Bring to Front and Send to Back: every selected band or view not restricted from moving goes
// to the end (front) or start (back) of its parent's objects. Returns whether anything moved.
bool zorBringToFront(const QList<TfrxComponent *> &selection);
bool zorSendToBack(const QList<TfrxComponent *> &selection);
