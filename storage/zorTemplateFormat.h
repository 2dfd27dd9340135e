#pragma once

#include <QStringList>

class QIODevice;
class TfrxPictureStore;
class TfrxReport;

// Plugs the XML template format into the report component, so that TfrxReport's LoadFromFile,
// LoadFromStream, SaveToFile and SaveToStream work. Call once before the first load or save.
void zorRegisterTemplateFormat();

// The template format itself: a whole report read into an empty report (returning the problems
// met) and written, objects of a parent template as their differences from it. With a picture
// store, pictures are kept in the store and the text refers to them by index (the designer's
// undo snapshots); a text written so needs the same store to be read.
QStringList zorReadTemplate(TfrxReport *report, QIODevice *stream, TfrxPictureStore *pictures = nullptr);
void zorWriteTemplate(TfrxReport *report, QIODevice *stream, TfrxPictureStore *pictures = nullptr);
