// Undoing what was done, however a scope or an object's life ends.
#pragma once

#include <functional>
#include <utility>
#include <vector>

// Runs a callable when the scope that holds the guard ends, however it ends.
template <class Action>
class ScopeExit {
public:
    explicit ScopeExit(Action action) : action_(std::move(action)) {}
    ~ScopeExit() { action_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Action action_;
};

// Scope guards for an object whose set-up spans several steps: each step
// pushes its undo, and Unwind (or the destructor) runs them newest first.
class UndoStack {
public:
    UndoStack() = default;
    ~UndoStack() { Unwind(); }
    UndoStack(const UndoStack&) = delete;
    UndoStack& operator=(const UndoStack&) = delete;

    void Push(std::function<void()> undo) { undos_.push_back(std::move(undo)); }
    void Unwind() {
        while (!undos_.empty()) {
            std::function<void()> undo = std::move(undos_.back());
            undos_.pop_back();
            undo();
        }
    }

private:
    std::vector<std::function<void()>> undos_;
};
