#pragma once

// A preview control attached to a report: the report tells it about the preparation it runs, so
// that the control shows pages while they are made. The control lives in a window library; the
// object model knows it through this interface.
class TfrxCustomPreview
{
public:
    virtual ~TfrxCustomPreview() = default;

    // Preparation starts: the control forgets the pages it showed.
    virtual void InternalOnProgressStart() = 0;
    // The page of that index (from 0) has been prepared.
    virtual void InternalOnProgress(int pageIndex) = 0;
    // Preparation ended, finished or cancelled.
    virtual void InternalOnProgressStop() = 0;
};
