#include "ui/kit/PortalFileChooser.h"

#include <QByteArray>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>
#include <QWidget>
#include <atomic>
#include <cstdlib>
#include <filesystem>

namespace orv::kit {

namespace {

constexpr const char* kPortalService = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kChooserInterface = "org.freedesktop.portal.FileChooser";
constexpr const char* kRequestInterface = "org.freedesktop.portal.Request";

// The portal's filter list, a(sa(us)): a name and its patterns, kind 0 a glob.
struct PortalPattern {
    uint kind = 0;
    QString pattern;
};
struct PortalFilter {
    QString name;
    QList<PortalPattern> patterns;
};

}  // namespace
}  // namespace orv::kit

Q_DECLARE_METATYPE(orv::kit::PortalPattern)
Q_DECLARE_METATYPE(orv::kit::PortalFilter)

namespace orv::kit {

namespace {

QDBusArgument& operator<<(QDBusArgument& out, const PortalPattern& pattern) {
    out.beginStructure();
    out << pattern.kind << pattern.pattern;
    out.endStructure();
    return out;
}
const QDBusArgument& operator>>(const QDBusArgument& in, PortalPattern& pattern) {
    in.beginStructure();
    in >> pattern.kind >> pattern.pattern;
    in.endStructure();
    return in;
}
QDBusArgument& operator<<(QDBusArgument& out, const PortalFilter& filter) {
    out.beginStructure();
    out << filter.name << filter.patterns;
    out.endStructure();
    return out;
}
const QDBusArgument& operator>>(const QDBusArgument& in, PortalFilter& filter) {
    in.beginStructure();
    in >> filter.name >> filter.patterns;
    in.endStructure();
    return in;
}

// Receives the Request's Response signal and ends the wait.
class ResponseReceiver : public QObject {
    Q_OBJECT
public:
    explicit ResponseReceiver(QEventLoop& loop) : loop_(loop) {}

    bool answered = false;
    uint code = 2;  // 0 chosen, 1 cancelled, 2 ended otherwise
    QVariantMap results;

public slots:
    void onResponse(uint response, const QVariantMap& values) {
        answered = true;
        code = response;
        results = values;
        loop_.quit();
    }

private:
    QEventLoop& loop_;
};

// The session bus the desktop runs, when the session names one; never an autolaunched one.
std::optional<QString> sessionBusAddress() {
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        address != nullptr && *address != '\0') {
        return QString::fromUtf8(address);
    }
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime) {
        const std::filesystem::path socket = std::filesystem::path(runtime) / "bus";
        std::error_code error;
        if (std::filesystem::is_socket(socket, error)) {
            return "unix:path=" + QString::fromStdString(socket.string());
        }
    }
    return std::nullopt;
}

// The portal's name for the parent window ("x11:<hex id>"); empty where it has none.
QString parentWindowId(QWidget* parent) {
    if (parent == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return {};
    }
    return "x11:" + QString::number(static_cast<qulonglong>(parent->window()->winId()), 16);
}

// The object path the portal gives a request of this connection with this token.
QString requestPath(const QDBusConnection& bus, const QString& token) {
    QString sender = bus.baseService();
    sender.remove(0, 1).replace('.', '_');
    return QString(kPortalPath) + "/request/" + sender + "/" + token;
}

QVariantMap chooserOptions(const FileDialogRequest& request, const QString& token) {
    QList<PortalFilter> filters;
    for (const FileFilter& filter : request.filters) {
        PortalFilter entry{QString::fromStdString(filter.description), {}};
        for (const std::string& pattern : filter.patterns) {
            entry.patterns.append({0, QString::fromStdString(pattern)});
        }
        filters.append(entry);
    }
    QVariantMap options;
    options.insert("handle_token", token);
    options.insert("modal", true);
    if (!filters.isEmpty()) {
        options.insert("filters", QVariant::fromValue(filters));
        options.insert("current_filter", QVariant::fromValue(filters.front()));
    }
    if (!request.initialFolder.empty()) {
        QByteArray folder = QByteArray::fromStdString(request.initialFolder);
        folder.append('\0');  // the portal takes the folder as a NUL-terminated byte string
        options.insert("current_folder", folder);
    }
    if (request.mode == FileDialogRequest::Mode::Save && !request.initialFileName.empty()) {
        options.insert("current_name", QString::fromStdString(request.initialFileName));
    }
    return options;
}

std::optional<std::string> chosenFile(const FileDialogRequest& request,
                                      const QVariantMap& results) {
    const QStringList uris = results.value("uris").toStringList();
    if (uris.isEmpty()) {
        return std::nullopt;
    }
    const QUrl url(uris.front());
    if (!url.isLocalFile()) {
        return std::nullopt;  // the tool reads and writes local files only
    }
    QString path = url.toLocalFile();
    if (request.mode == FileDialogRequest::Mode::Save && !request.defaultExtension.empty() &&
        QFileInfo(path).suffix().isEmpty()) {
        path += "." + QString::fromStdString(request.defaultExtension);
    }
    return path.toStdString();
}

}  // namespace

PortalAnswer AskPortalFileChooser(const FileDialogRequest& request, QWidget* parent) {
    const std::optional<QString> address = sessionBusAddress();
    if (!address) {
        return {};
    }
    // A connection for this question only: the session's bus may be another one next time.
    static constexpr const char* kConnectionName = "orv-file-chooser";
    struct Disconnect {
        ~Disconnect() { QDBusConnection::disconnectFromBus(kConnectionName); }
    } disconnect;
    QDBusConnection bus = QDBusConnection::connectToBus(*address, kConnectionName);
    if (!bus.isConnected() || bus.interface() == nullptr ||
        !bus.interface()->isServiceRegistered(kPortalService).value()) {
        return {};
    }
    static const bool registered = [] {
        qDBusRegisterMetaType<PortalPattern>();
        qDBusRegisterMetaType<QList<PortalPattern>>();
        qDBusRegisterMetaType<PortalFilter>();
        qDBusRegisterMetaType<QList<PortalFilter>>();
        return true;
    }();
    static_cast<void>(registered);

    static std::atomic<unsigned> counter{0};
    const QString token = "orvtool" + QString::number(++counter);
    QEventLoop loop;
    ResponseReceiver receiver(loop);
    // Listen before asking: the answer may come before the call's own reply.
    QString listening = requestPath(bus, token);
    bus.connect(kPortalService, listening, kRequestInterface, "Response", &receiver,
                SLOT(onResponse(uint, QVariantMap)));

    QDBusMessage call = QDBusMessage::createMethodCall(
        kPortalService, kPortalPath, kChooserInterface,
        request.mode == FileDialogRequest::Mode::Save ? "SaveFile" : "OpenFile");
    call << parentWindowId(parent) << QString::fromStdString(request.title)
         << chooserOptions(request, token);
    bool callFailed = false;
    QDBusPendingCallWatcher watcher(bus.asyncCall(call));
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, [&] {
        const QDBusPendingReply<QDBusObjectPath> reply = watcher;
        if (reply.isError()) {
            callFailed = true;
            loop.quit();
            return;
        }
        // Portals older than the handle token answer on a path of their own.
        const QString handle = reply.value().path();
        if (handle != listening) {
            bus.disconnect(kPortalService, listening, kRequestInterface, "Response", &receiver,
                           SLOT(onResponse(uint, QVariantMap)));
            listening = handle;
            bus.connect(kPortalService, listening, kRequestInterface, "Response", &receiver,
                        SLOT(onResponse(uint, QVariantMap)));
        }
    });
    // A portal that goes away mid-question never answers: take that as a cancel.
    QDBusServiceWatcher gone(kPortalService, bus, QDBusServiceWatcher::WatchForUnregistration);
    QObject::connect(&gone, &QDBusServiceWatcher::serviceUnregistered, &loop, [&] { loop.quit(); });

    loop.exec();
    bus.disconnect(kPortalService, listening, kRequestInterface, "Response", &receiver,
                   SLOT(onResponse(uint, QVariantMap)));
    if (callFailed) {
        return {};  // the portal has no file chooser: Qt's dialog
    }
    PortalAnswer answer;
    answer.portalAnswered = true;
    if (receiver.answered && receiver.code == 0) {
        answer.path = chosenFile(request, receiver.results);
    }
    return answer;
}

}  // namespace orv::kit

#include "PortalFileChooser.moc"
