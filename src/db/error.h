#pragma once
// Database errors carry the engine's own text, which screens show as it stands.

#include <QString>
#include <stdexcept>

namespace db {

class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

}  // namespace db
