// Undo and redo by whole-document snapshots: each holds exactly the bytes the
// document writes to a profile file, and is restored by reading them back.
#pragma once

#include <deque>

#include "document/archive.h"

namespace orvanel {

class CUndo {
public:
    virtual ~CUndo() = default;

    // Records the current state as the newest undo state and forgets what was
    // undone.
    void Checkpoint();
    // Each returns false when there was nothing to undo or redo.
    bool Undo();
    bool Redo();

    bool CanUndo() const { return m_undoStates.size() > 1; }
    bool CanRedo() const { return !m_redoStates.empty(); }
    std::size_t UndoStateCount() const { return m_undoStates.size(); }
    std::size_t RedoStateCount() const { return m_redoStates.size(); }
    // The newest snapshot, which is the current state.
    const CMemFile* CurrentState() const {
        return m_undoStates.empty() ? nullptr : &m_undoStates.front();
    }

protected:
    // Stores into or loads from the archive; returns false after telling the
    // user when that failed.
    virtual bool Serialize(CArchive& ar) = 0;

private:
    void Restore(CMemFile& state);
    void TrimUndoStates();
    // An empty state for the next snapshot, in the memory of one that is
    // about to be dropped when there is one.
    CMemFile TakeSpareState();

    std::deque<CMemFile> m_undoStates;  // newest first; the first is the current state
    std::deque<CMemFile> m_redoStates;  // the most recently undone first
    long m_nGrowBytes = 4096;
    long m_nUndoLevels = 4;  // four earlier states besides the current one
};

}  // namespace orvanel
