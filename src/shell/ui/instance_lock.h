#pragma once

#include <memory>

#include <QString>

class QLockFile;
class QWidget;

namespace kelton {

// Keeps a second instance of the program off a program folder, whose
// settings and game list the last instance to exit would otherwise write
// over the other's. The lock file "Kelt.lock" in the program folder names
// the process that holds it; a lock left behind by a process that no longer
// runs is taken over. Released when the object goes, and by exit() while
// it is held (Qt's X11 connection ends the process so when the display goes
// away).
class CInstanceLock {
public:
    CInstanceLock();
    ~CInstanceLock();
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;

    // Takes the program folder for this process. When another running
    // instance holds it, the user is told in a message box over owner and
    // false is returned: the program ends. A folder where no lock file can
    // be made (read-only) is not guarded.
    bool Claim(QWidget* owner = nullptr);
    // The program folder is held by this object.
    bool Held() const;
    static QString LockPath();

private:
    std::unique_ptr<QLockFile> m_file;
};

} // namespace kelton
