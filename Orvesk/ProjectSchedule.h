// The project's schedule without a window: the task tree, each link resolved to the task it
// names, one working-day calendar and the dependency graph, kept by the schedule's own
// operations. One entry, Recalculate, settles what an edit reaches (links, summaries), then
// the header dates and critical marks, and tells what changed with a revision number.
//
// It lives beside the document, not in the task library: it schedules the document's own
// records (CTaskItem and its lists are this library's), and the document's views are to be
// its readers.
//
// A link's m_nSuccID (the predecessor's row) stays the form that is stored and sent: the
// schedule rewrites it whenever the rows are numbered again.
#pragma once

#include <ClassLib/Afx.h>
#include <ClassLib/Core/WorkingDays.h>

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "TaskItem.h"

class CProjectSchedule
{
public:
    struct ChangeSet
    {
        unsigned long long nRevision = 0;   // the schedule's revision after the change
        // The revision the change started from: the last Recalculate's, unless a change this
        // set cannot name came since (tasks or rows that came, went or moved, the calendar, a
        // change reported without its task): then the revision after it.
        unsigned long long nBaseRevision = 0;
        // Tasks whose links or shown fields changed since, their dates not, by row.
        std::vector<CTaskItem*> fields;
        std::vector<CTaskItem*> dates;      // tasks whose start, finish or duration moved, by row
        std::vector<CTaskItem*> critical;   // tasks whose critical mark turned, by row
        bool bHeaderChanged = false;
    };

    // A schedule of its own tasks, deleted with it (and so their links).
    CProjectSchedule();
    // A schedule of the tasks in a list kept elsewhere (the document's task tree), worked on
    // in place and left to the list's owner; rows and links are taken as Adopt takes them.
    explicit CProjectSchedule(CTaskItemList& roots);
    // The same, the tasks taken in by the first TakeInStoredRows (ProjectScheduleSync.cpp).
    struct TakenInLater
    {
    };
    CProjectSchedule(CTaskItemList& roots, TakenInLater);
    ~CProjectSchedule();

    void SetCalendar(const workdays::CWorkingCalendar& calendar);
    const workdays::CWorkingCalendar& Calendar() const { return m_calendar; }

    // Takes over a stored task tree (the list is left empty): rows numbered in tree order,
    // the blank rows the stored rows leave between tasks kept (the grid shows them),
    // links read by the row, id and name they name as the task tree view reads them (one
    // naming no task, a removed one or its own task is deleted). Dates are kept as stored: a project whose tasks
    // already keep their links opens unchanged.
    void Adopt(CTaskItemList& roots);
    // Takes the tree it works on in again after its owner changed it (ProjectScheduleSync.cpp):
    // each task in the row it stores (the grid's row: blank rows between kept), each link
    // resolved by the row it stores, as the grid resolves it; nothing is rewritten or
    // deleted (a link naming a blank row or its own task stays, resolving to nothing).
    void TakeInStoredRows();
    // The same when only the tree and the rows changed: every link it resolves still names
    // the task it named (none was added or deleted).
    void TakeInStoredTree();
    // A task whose dates its owner is about to change itself: its dates before the change
    // are kept, so that Recalculate follows it as one of its own edits.
    void Note(CTaskItem* pTask);
    // The links the last TakeInStoredRows read (resolved or not): an owner that counts
    // another number has added or deleted some since.
    size_t StoredLinkCount() const { return m_nResolvedLinks + m_nUnresolvedLinks; }
    // A summary made to span its children at once, as Recalculate would; the next
    // Recalculate follows the change as one of this schedule's edits.
    void RollUp(CTaskItem* pTask);
    // The summaries whose children the tree operations changed since the last call (every
    // summary after the tree was taken in), those not spanning their children, the last row
    // first: named to Recalculate, they are rolled up with those over them.
    std::vector<CTaskItem*> TakeReshapedSummaries();

    // A new leaf under pParent (null: at the top) before its nIndex-th child (past the end:
    // the last), starting on start (a rest day: the next working day) for nDays working days;
    // FLAG 1, as a task the server has not numbered. None under a task this schedule does
    // not hold. A leaf that gets its first child keeps its own duration, and gets it back
    // when its last child moves away (MoveTask); one whose last child is removed keeps the
    // span it had.
    CTaskItem* AddTask(CTaskItem* pParent, int nIndex, const CString& strName, const COleDateTime& start, int nDays);
    // Deletes the task and its subtree, and every link naming one of them.
    void RemoveTask(CTaskItem* pTask);
    // The same, the records left to the caller (the grid's delete keeps a deleted task for
    // the server): the task out of its summary's children, its subtree's links taken off
    // the graph. The blank rows before the tasks stay, above the task that follows. FALSE
    // (nothing changed) for a task this schedule does not hold.
    bool TakeOutTask(CTaskItem* pTask);
    // A new task record (no children, no links) put into the blank row nRow, as a name typed
    // into that row makes one: the sibling next after pAfter (null: the first at the top),
    // which must be the task nearest above the row and hold no children. The blank rows
    // around it stay where they are. FALSE (nothing changed) when it cannot stand there.
    bool PutInTask(CTaskItem* pTask, CTaskItem* pAfter, int nRow);
    // The tree re-hung by its owner with every task in the row it held (a level change in
    // the grid): parentRow gives each row's summary row (0 at the top or for a blank row)
    // as the owner's lists now stand; no link is added or deleted, no date moves. FALSE
    // (nothing changed) when rows are not the rows held.
    bool TakeInParents(const std::vector<CTaskItem*>& rows, const std::vector<int>& parentRow);
    // A blank row put in before row nRow, as the grid inserts one: the tasks from that row
    // on move one row down, their links' stored rows with them; no date changes.
    void InsertBlankRow(int nRow);
    // A blank row taken out, as the grid deletes one: the tasks below move one row up.
    // Nothing for a row holding a task.
    void RemoveBlankRow(int nRow);
    // Moves the task (with its subtree) under pParent (null: to the top) before its
    // nIndex-th child, counted without the task; refused (-1) into its own subtree. Every
    // link into or out of the subtree that the new tree puts on a cycle is deleted; their
    // number is returned.
    int MoveTask(CTaskItem* pTask, CTaskItem* pParent, int nIndex);
    // Several moves as one change, each as MoveTask makes it, in their order (a level change
    // in the grid re-hangs the rows below the changed one too); a refused one is left out.
    // Then every link into or out of a moved subtree that the new tree puts on a cycle is
    // deleted, all judged together; their number is returned (-1: every move refused). A
    // summary the moves leave without children gets its own duration back only for a level
    // change (bLevelChange); one emptied by rows re-hung under a new task keeps its span.
    struct Move
    {
        CTaskItem* pTask;
        CTaskItem* pParent;
        int nIndex;
    };
    int MoveTasks(const std::vector<Move>& moves, bool bLevelChange = true);
    // The grid's blank rows taken out (a fold in the grid trims them): the tasks numbered
    // again without gaps, every link's stored row following its predecessor.
    void TrimBlankRows();
    // Moves each date of the task's subtree to the nDays-th working day after it (as a
    // summary its links moved takes its children along); the next Recalculate reports them.
    void ShiftChildren(CTaskItem* pTask, long long nDays);

    // A link of the kind and lag from pPred to pSucc; null (nothing added) for a link to
    // itself, a second link between the two, or one that would close a cycle (summaries
    // count: a task is placed after its summary's placement and before its final dates).
    CTaskLink* AddLink(CTaskItem* pSucc, CTaskItem* pPred, int nType, int nLag);
    // Deletes one of the task's links.
    void RemoveLink(CTaskItem* pSucc, CTaskLink* pLink);
    // The task a link names; null when it names none (or the task that holds it).
    CTaskItem* Predecessor(const CTaskLink* pLink) const;

    // The task's own dates as the grid's columns edit them; Recalculate does the rest.
    void SetStart(CTaskItem* pTask, const COleDateTime& date);
    void SetFinish(CTaskItem* pTask, const COleDateTime& date);
    void SetDurationDays(CTaskItem* pTask, int nDays);

    // Settles the links and summaries the changed tasks reach, then the header dates and the
    // critical marks. The changed tasks are those edited through this schedule; one changed
    // from outside may be named too (the header dates and marks are then taken in from the
    // whole project).
    ChangeSet Recalculate(const std::vector<CTaskItem*>& changed);

    const CTaskItemList& Roots() const { return m_roots; }
    // Row r's task at index r (index 0 and blank rows hold none).
    const std::vector<CTaskItem*>& Rows() const { return m_rows; }
    // The task's summary (null at the top, or for a task this schedule does not hold).
    CTaskItem* Parent(const CTaskItem* pTask) const;
    // Whether the task is one of this schedule's.
    bool Holds(const CTaskItem* pTask) const;
    // The revisions its views compare. Revision() moves with every change a chart shows: a
    // task's dates, duration, marks, name, progress or status, a task, link or row that came,
    // went or moved, the calendar. RowsRevision() moves only when tasks came, went or changed
    // rows or summary, or the calendar changed: a link added or removed leaves it.
    unsigned long long Revision() const { return m_nRevision; }
    unsigned long long RowsRevision() const { return m_nRowsRevision; }
    // A change of a task's shown fields that the schedule's owner made itself (a name or a
    // status typed, the sheet's values): a new revision; the next Recalculate names the task
    // (one this schedule does not hold, or none, is a change no change set names).
    void ShownChanged(CTaskItem* pTask = nullptr);
    COleDateTime FirstStart() const { return m_dtFirst; }
    COleDateTime LastFinish() const { return m_dtLast; }

    // A task whose links its owner is about to replace itself (ProjectScheduleSync.cpp): its
    // links are let go (left to the owner, who may delete them); TakeInLinksOf then resolves
    // the links it holds afterwards by the rows they store, as TakeInStoredRows does.
    void LetGoLinksOf(CTaskItem* pTask);
    void TakeInLinksOf(CTaskItem* pTask);

    // What the link checks read (ProjectScheduleReach.cpp). Each row's summary row, by row
    // (0 at the top and for a blank row).
    const std::vector<int>& ParentRows() const { return m_parentRow; }
    // The rows whose final dates follow from the placement of row nRow's task: its own, its
    // subtree's, its summaries' and everything after any of them, by row (none for a row
    // without a task).
    std::vector<char> ReachedRows(int nRow) const;
    // The nodes that follow a node: 2r places row r's task, 2r + 1 is its final dates.
    void NodesAfter(int nNode, std::vector<int>& next) const { NextNodes(nNode, next); }

    // The kept structures against a fresh reading of the tree: "" when they agree.
    std::string VerifyKept() const;

    // Days as the calendar counts them (dates of whole days).
    bool IsRestDay(const COleDateTime& date) const;
    int WorkingDays(const COleDateTime& start, const COleDateTime& finish) const;

private:
    // The link read by the row it stores: resolved to the task there (not the task itself),
    // entered in that task's successors, counted resolved or not.
    void ResolveLink(CTaskItem* pTask, CTaskLink* pLink);
    // Every link the task holds let go of its predecessor (successor list and counts).
    void ReleaseLinksOf(CTaskItem* pTask);
    // One resolved link of pSucc let go of its predecessor: out of its successors, uncounted.
    void ReleaseLink(CTaskItem* pSucc, CTaskLink* pLink);
    CProjectSchedule(const CProjectSchedule&) = delete;
    CProjectSchedule& operator=(const CProjectSchedule&) = delete;

    // A task, link or the calendar changed: a new revision, the span to be taken in afresh
    // (unless bSpanKept: the change moved no date and left the critical chains as they are).
    void StructureChanged(bool bSpanKept = false);
    // A link came or went: a new revision and the span to be taken in afresh, the rows kept.
    void LinksChanged();
    // After one row put in or taken out at nAt (nDelta +1 or -1; m_rows and m_parentRow
    // already spliced): the rows below and their parents' rows shifted, each moved task's
    // row stored, and the links naming it rewritten.
    void ShiftRowsBelow(int nAt, int nDelta);
    // With bLinks, every resolved link's stored row is rewritten to its predecessor's. The
    // blank rows are those kept, or those the rows the tasks store leave (a task storing a
    // row not below the one before it takes the next row); StoredAfresh empties the
    // successor lists as well, for the links to be read again.
    enum class RowsFrom
    {
        Kept,
        Stored,
        StoredAfresh
    };
    void Renumber(bool bLinks = true, RowsFrom from = RowsFrom::Kept);
    // TakeInStoredTree's step: the rows and the blank rows from the rows the tasks store.
    void TakeStoredRows(bool bSuccessorsAfresh = false);
    // Each link of the tasks held resolved by the row it stores, into empty successor lists.
    void ReadStoredLinks();
    // Blank rows before each task from the rows the tasks store.
    void TakeStoredGaps();
    int GapBefore(const CTaskItem* pTask) const;
    CTaskItem* TaskAfterRow(int nRow) const;
    void ResolveLinks();
    void ForgetSubtree(CTaskItem* pTask);
    // A summary whose children changed, for TakeReshapedSummaries.
    void Reshaped(CTaskItem* pSummary);
    bool MayMove(const Move& move) const;
    // The links into and out of the task's subtree not yet in taken, into touching as
    // (successor, link).
    void TakeOffLinksOf(CTaskItem* pTask, std::vector<std::pair<CTaskItem*, CTaskLink*>>& touching,
                        std::unordered_set<const CTaskLink*>& taken);
    CTaskItemList& ChildList(CTaskItem* pParent) { return pParent ? pParent->m_listChildren : m_roots; }
    // Whether node nFrom leads to node nTo (node 2r places row r's task, 2r + 1 is its
    // final dates).
    bool Reaches(int nFrom, int nTo) const;
    void NextNodes(int nNode, std::vector<int>& next) const;

    // The scheduling steps on one task.
    void SettleTask(CTaskItem* pTask);
    bool RequiredDates(const CTaskItem* pTask, long& needStart, long& needFinish) const;
    void RollUpSummary(CTaskItem* pTask);
    void Touch(CTaskItem* pTask);
    // A leaf about to become a summary keeps its own duration; a summary left without
    // children gets it back (its finish following from its start).
    void KeepOwnDuration(CTaskItem* pTask);
    void RegainOwnDuration(CTaskItem* pTask);
    // Duration, finish, deadline and milestone mark from a number of working days.
    void ApplyDuration(CTaskItem* pTask, int nDays);

    COleDateTime SkipRestDays(const COleDateTime& date) const;
    COleDateTime FinishFromStart(const COleDateTime& start, int n) const;
    COleDateTime StartFromFinish(const COleDateTime& finish, int n) const;

    struct Before
    {
        COleDateTime start, finish;
        int nDuration;
    };
    // The header dates and critical marks after a change of the moved and changed tasks
    // alone; false (nothing changed) when the whole project must be taken in.
    bool MarkSpanOf(ChangeSet& changes, const std::vector<std::pair<CTaskItem*, Before>>& moved,
                    const std::vector<CTaskItem*>& changed);
    void MarkWholeSpan(ChangeSet& changes);
    std::unordered_set<const CTaskItem*> ChainOf(const std::vector<int>& latestRows) const;
    std::string VerifySpan() const;

    CTaskItemList m_ownRoots;
    CTaskItemList& m_roots;  // m_ownRoots, or the list worked on in place
    std::vector<CTaskItem*> m_rows;                                 // null for a blank row
    // On the records (no lookups on the paths every change of rows takes): the grid's blank
    // rows kept right before a task (CTaskItem::m_nScheduleGap), so that rows and the links
    // that name them are numbered as the grid numbers them; each resolved link's task
    // (CTaskLink::m_pSchedulePred) and each task's successors (CTaskItem::m_scheduleSuccs).
    std::vector<int> m_parentRow;                                   // by row; 0 at the top
    size_t m_nResolvedLinks = 0;
    // The last walk of the rows (numbered across all schedules): a task the walk before did
    // not find brings no successors of this schedule along.
    unsigned long long m_nWalk = 0;
    size_t m_nLinksWalked = 0;  // the links the tasks that walk found hold
    workdays::CWorkingCalendar m_calendar;
    unsigned long long m_nRevision = 0;
    unsigned long long m_nRowsRevision = 0;
    unsigned long long m_nBaseRevision = 0;  // the next change set's (ChangeSet::nBaseRevision)
    COleDateTime m_dtFirst, m_dtLast;
    // The tasks changed since the last Recalculate, with their dates before the change.
    std::unordered_map<CTaskItem*, Before> m_touched;
    // The critical chains (the tasks finishing last and all before them), kept while no
    // task, link or calendar changes; the header dates are known with them.
    std::unordered_set<const CTaskItem*> m_chain;
    bool m_bSpanKnown = false;
    // Links the last TakeInStoredRows found naming a blank row or their own task: a change
    // of rows may give them a task, so that the links are read again then.
    size_t m_nUnresolvedLinks = 0;
    // The summaries whose children changed since the last TakeReshapedSummaries; every one
    // while m_bAllReshaped (the tree taken in, or more changes than rows).
    std::vector<CTaskItem*> m_reshaped;
    bool m_bAllReshaped = true;
};
