#include "document/undo.h"

namespace orvanel {

void CUndo::TrimUndoStates() {
    // Trimmed before the new state goes in, so the list never holds more
    // than m_nUndoLevels + 1 states.
    if (static_cast<long>(m_undoStates.size()) > m_nUndoLevels) m_undoStates.pop_back();
}

CMemFile CUndo::TakeSpareState() {
    // The snapshots of a long profile are megabytes: fresh memory for each
    // one costs more than writing it, so the oldest undo state, or a redo
    // state, lends its memory to the new one.
    std::deque<CMemFile>* spares = static_cast<long>(m_undoStates.size()) > m_nUndoLevels
                                       ? &m_undoStates
                                   : m_redoStates.empty() ? nullptr
                                                          : &m_redoStates;
    if (spares == nullptr) {
        CMemFile state(static_cast<std::size_t>(m_nGrowBytes));
        // Most edits change the size by a few bytes: room for the last state
        // and a step more writes the snapshot without growing.
        if (!m_undoStates.empty()) {
            state.Reserve(static_cast<std::size_t>(m_undoStates.front().GetLength()) +
                          static_cast<std::size_t>(m_nGrowBytes));
        }
        return state;
    }
    CMemFile state = std::move(spares->back());
    spares->pop_back();
    state.Clear();
    return state;
}

void CUndo::Checkpoint() {
    CMemFile state = TakeSpareState();
    CArchive ar(state, CArchive::Mode::store);
    Serialize(ar);
    ar.Close();
    TrimUndoStates();
    m_undoStates.push_front(std::move(state));
    m_redoStates.clear();
}

void CUndo::Restore(CMemFile& state) {
    state.SeekToBegin();
    CArchive ar(state, CArchive::Mode::load);
    Serialize(ar);
    ar.Close();
}

bool CUndo::Undo() {
    if (m_undoStates.size() <= 1) return false;
    m_redoStates.push_front(std::move(m_undoStates.front()));
    m_undoStates.pop_front();
    Restore(m_undoStates.front());
    return true;
}

bool CUndo::Redo() {
    if (m_redoStates.empty()) return false;
    CMemFile state = std::move(m_redoStates.front());
    m_redoStates.pop_front();
    TrimUndoStates();
    m_undoStates.push_front(std::move(state));
    Restore(m_undoStates.front());
    return true;
}

}  // namespace orvanel
