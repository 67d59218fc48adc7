#pragma once
// Every message of the program goes through here: a modal box titled
// "แจ้งข้อความ" with one OK button and no icon. Tests put a recorder in its
// place, so no box is ever left waiting.

#include <QString>

class QWidget;

namespace tamrik {

class MessageService {
public:
    virtual ~MessageService() = default;
    // Blocks until the user has read the message.
    virtual void show(const QString& text) = 0;
};

class MessageBoxService : public MessageService {
public:
    explicit MessageBoxService(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void show(const QString& text) override;

private:
    QWidget* m_parent;
};

}  // namespace tamrik
