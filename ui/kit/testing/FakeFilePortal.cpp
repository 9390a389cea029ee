#include "ui/kit/testing/FakeFilePortal.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>
#include <cstdlib>
#include <deque>

namespace orv::kit::testing {

namespace {

constexpr const char* kConnectionName = "orv-fake-file-portal";

// Reads the filter list a(sa(us)) as it arrives: a demarshalled argument, not a typed value.
std::vector<FileFilter> decodeFilters(const QVariant& value) {
    std::vector<FileFilter> filters;
    if (!value.canConvert<QDBusArgument>()) {
        return filters;
    }
    const QDBusArgument argument = value.value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        FileFilter filter;
        QString name;
        argument.beginStructure();
        argument >> name;
        filter.description = name.toStdString();
        argument.beginArray();
        while (!argument.atEnd()) {
            uint kind = 0;
            QString pattern;
            argument.beginStructure();
            argument >> kind >> pattern;
            argument.endStructure();
            filter.patterns.push_back(pattern.toStdString());
        }
        argument.endArray();
        argument.endStructure();
        filters.push_back(std::move(filter));
    }
    argument.endArray();
    return filters;
}

}  // namespace

// The object a desktop portal serves at /org/freedesktop/portal/desktop.
class FakePortalService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.FileChooser")
public:
    std::vector<FakeFilePortal::Question> questions;
    std::deque<std::optional<std::string>> answers;
    bool refuse = false;

public slots:
    QDBusObjectPath OpenFile(const QString& parent, const QString& title,
                             const QVariantMap& options) {
        return ask("OpenFile", parent, title, options);
    }
    QDBusObjectPath SaveFile(const QString& parent, const QString& title,
                             const QVariantMap& options) {
        return ask("SaveFile", parent, title, options);
    }

private:
    QDBusObjectPath ask(const char* method, const QString& parent, const QString& title,
                        const QVariantMap& options) {
        if (refuse) {
            sendErrorReply(QDBusError::UnknownMethod, "no file chooser here");
            return {};
        }
        FakeFilePortal::Question question;
        question.method = method;
        question.parentWindow = parent.toStdString();
        question.title = title.toStdString();
        question.filters = decodeFilters(options.value("filters"));
        QByteArray folder = options.value("current_folder").toByteArray();
        if (folder.endsWith('\0')) {
            folder.chop(1);
        }
        question.currentFolder = folder.toStdString();
        question.currentName = options.value("current_name").toString().toStdString();
        question.modal = options.value("modal").toBool();
        questions.push_back(question);

        // The request object's path, as a portal names it: the caller's unique name without
        // its ':' and with '_' for '.', then the caller's token.
        QString sender = message().service();
        sender.remove(0, 1).replace('.', '_');
        const QString path = "/org/freedesktop/portal/desktop/request/" + sender + "/" +
                             options.value("handle_token").toString();
        std::optional<std::string> answer;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        // The user answers after the call has returned its handle.
        QDBusConnection bus = connection();
        QTimer::singleShot(10, this, [bus, path, answer]() mutable {
            QDBusMessage response =
                QDBusMessage::createSignal(path, "org.freedesktop.portal.Request", "Response");
            QVariantMap results;
            if (answer) {
                results.insert("uris", QStringList{QString::fromStdString(*answer)});
            }
            response << static_cast<uint>(answer ? 0 : 1) << results;
            bus.send(response);
        });
        return QDBusObjectPath(path);
    }
};

class FakeFilePortal::Service {
public:
    QProcess daemon;
    std::optional<std::string> previousAddress;
    FakePortalService portal;
    bool running = false;
};

FakeFilePortal::FakeFilePortal() : service_(std::make_unique<Service>()) {
    Service& s = *service_;
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS")) {
        s.previousAddress = address;
    }
    s.daemon.start("dbus-daemon", {"--session", "--nofork", "--nopidfile", "--print-address=1",
                                   "--address=unix:tmpdir=/tmp"});
    if (!s.daemon.waitForStarted(5000)) {
        return;
    }
    QByteArray address;
    while (!address.contains('\n') && s.daemon.waitForReadyRead(5000)) {
        address += s.daemon.readAllStandardOutput();
    }
    address = address.trimmed();
    if (address.isEmpty()) {
        return;
    }
    ::setenv("DBUS_SESSION_BUS_ADDRESS", address.constData(), 1);
    QDBusConnection bus =
        QDBusConnection::connectToBus(QString::fromUtf8(address), kConnectionName);
    s.running = bus.isConnected() &&
                bus.registerObject("/org/freedesktop/portal/desktop", &s.portal,
                                   QDBusConnection::ExportAllSlots) &&
                bus.registerService("org.freedesktop.portal.Desktop");
}

FakeFilePortal::~FakeFilePortal() {
    Service& s = *service_;
    QDBusConnection::disconnectFromBus(kConnectionName);
    if (s.previousAddress) {
        ::setenv("DBUS_SESSION_BUS_ADDRESS", s.previousAddress->c_str(), 1);
    } else {
        ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
    if (s.daemon.state() != QProcess::NotRunning) {
        s.daemon.terminate();
        if (!s.daemon.waitForFinished(3000)) {
            s.daemon.kill();
            s.daemon.waitForFinished(3000);
        }
    }
}

bool FakeFilePortal::running() const {
    return service_->running;
}

void FakeFilePortal::QueueAnswer(std::optional<std::string> uri) {
    service_->portal.answers.push_back(std::move(uri));
}

void FakeFilePortal::RefuseCalls() {
    service_->portal.refuse = true;
}

const std::vector<FakeFilePortal::Question>& FakeFilePortal::Questions() const {
    return service_->portal.questions;
}

}  // namespace orv::kit::testing

#include "FakeFilePortal.moc"
