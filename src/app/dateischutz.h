#pragma once

#include <QString>
#include <functional>
#include <memory>

class TDateischutz;

// What a process waiting for a lock shows: the holder's text from the lock file, or its own.
enum class TLockWaitText { Holder, Own };
enum class TWaitCursor { Hide, Show };

// Called while waiting for a lock; keeps the wait window alive.
using TPollProc = std::function<void()>;
// Called once when a lock is busy: the text to show, the cancel action and the lock object.
// Returns the poll callback for the waiting loop (may be empty).
using TWaitProc =
    std::function<TPollProc(const QString& text, std::function<void()> cancel, TDateischutz& lock)>;

// Cooperative lock between processes and workstations sharing a folder: a lock file held open
// with an fcntl write lock (open-file-description lock where the kernel has it). The holder writes
// a text identifying itself into the file, so that waiters can show who holds it. fcntl locks work
// over NFS (lockd / NFSv4) and vanish with the holding process, so a killed holder leaves at most a
// stale file, never a stale lock. Two objects of the same process exclude each other through an
// in-process table of held files.
class TDateischutz {
public:
    TDateischutz();
    // Unlocks.
    ~TDateischutz();
    TDateischutz(const TDateischutz&) = delete;
    TDateischutz& operator=(const TDateischutz&) = delete;

    // Takes the lock, waiting while another holder has it. False when the wait was cancelled.
    // Throws EKwpError when the lock file can neither be created nor read.
    bool Lock(const QString& fileName, const QString& holderText,
              TLockWaitText waitText = TLockWaitText::Holder);
    // Deletes the lock file and releases the lock; nothing happens when not locked.
    void Unlock();

    bool isLocked() const { return m_handle >= 0; }
    const QString& LockName() const { return m_lockName; }
    bool Cancelled() const { return m_cancelled; }
    void Cancel() { m_cancelled = true; }

    void setOnWait(TWaitProc onWait) { m_onWait = std::move(onWait); }
    // Pause after a lock was taken following a wait (1000 ms).
    void setSettleDelay(int milliseconds) { m_settleDelay = milliseconds; }

    // The lock file content: the holder text and the time, 500 UTF-16 characters.
    static QByteArray LockFileContent(const QString& holderText);

private:
    enum class TryResult { Locked, Busy };
    TryResult tryCreate(const QString& holderText);
    QString readHolderText() const;

    int m_handle = -1;
    QString m_lockName;
    QString m_registryKey;
    bool m_cancelled = false;
    TWaitProc m_onWait;
    TPollProc m_onPoll;
    int m_settleDelay = 1000;
};

// A wait window shown while TDateischutzWF waits; the widgets library provides it.
class IWaitWindow {
public:
    virtual ~IWaitWindow();
    // Keeps the window responsive.
    virtual void poll() = 0;
};
using TWaitWindowFactory = std::function<std::unique_ptr<IWaitWindow>(
    const QString& text, std::function<void()> cancel, bool waitCursor)>;
// Process-wide factory of wait windows; without one TDateischutzWF waits without a window.
void SetWaitWindowFactory(TWaitWindowFactory factory);

// The lock with a wait window ("Abbrechen" cancels the wait).
class TDateischutzWF {
public:
    TDateischutzWF();
    ~TDateischutzWF();
    TDateischutzWF(const TDateischutzWF&) = delete;
    TDateischutzWF& operator=(const TDateischutzWF&) = delete;

    bool Lock(const QString& fileName, const QString& holderText,
              TLockWaitText waitText = TLockWaitText::Holder,
              TWaitCursor waitCursor = TWaitCursor::Show);
    void Unlock() { m_lock.Unlock(); }
    TDateischutz& lock() { return m_lock; }

private:
    TDateischutz m_lock;
    std::unique_ptr<IWaitWindow> m_window;
    bool m_waitCursor = true;
};
