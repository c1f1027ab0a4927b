// atspi_tree APP_NAME: prints the accessible tree of a running application as the
// AT-SPI bus shows it to a screen reader, one "role<TAB>name" line per object, indented
// by depth. Exit 1 when the application is not on the bus (yet).
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <cstdio>

namespace {

struct ObjectRef {
  QString service;
  QDBusObjectPath path;
};

QDBusArgument& operator<<(QDBusArgument& arg, const ObjectRef& ref) {
  arg.beginStructure();
  arg << ref.service << ref.path;
  arg.endStructure();
  return arg;
}
const QDBusArgument& operator>>(const QDBusArgument& arg, ObjectRef& ref) {
  arg.beginStructure();
  arg >> ref.service >> ref.path;
  arg.endStructure();
  return arg;
}

}  // namespace

Q_DECLARE_METATYPE(ObjectRef)

namespace {

const char kAccessible[] = "org.a11y.atspi.Accessible";
constexpr int kMaxDepth = 12;
constexpr int kMaxChildren = 400;

QDBusMessage Call(QDBusConnection& bus, const ObjectRef& ref, const char* iface, const char* method,
                  const QVariantList& args = {}) {
  QDBusMessage m =
      QDBusMessage::createMethodCall(ref.service, ref.path.path(), QLatin1String(iface), method);
  m.setArguments(args);
  return bus.call(m, QDBus::Block, 5000);
}

QString Name(QDBusConnection& bus, const ObjectRef& ref) {
  QDBusMessage reply = Call(bus, ref, "org.freedesktop.DBus.Properties", "Get",
                            {QLatin1String(kAccessible), QStringLiteral("Name")});
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
  return reply.arguments().at(0).value<QDBusVariant>().variant().toString();
}

QList<ObjectRef> Children(QDBusConnection& bus, const ObjectRef& ref) {
  QDBusMessage reply = Call(bus, ref, kAccessible, "GetChildren");
  QList<ObjectRef> out;
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return out;
  reply.arguments().at(0).value<QDBusArgument>() >> out;
  return out;
}

// Whether the object is shown (the AT-SPI state "visible"); a screen reader passes over
// hidden ones, and so does this listing.
bool Visible(QDBusConnection& bus, const ObjectRef& ref) {
  constexpr int kStateVisible = 30;
  QDBusMessage reply = Call(bus, ref, kAccessible, "GetState");
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
  QList<uint> states;
  reply.arguments().at(0).value<QDBusArgument>() >> states;
  return !states.isEmpty() && (states.at(0) & (1u << kStateVisible));
}

void Print(QDBusConnection& bus, const ObjectRef& ref, int depth) {
  if (depth > 0 && !Visible(bus, ref)) return;
  QDBusMessage role = Call(bus, ref, kAccessible, "GetRoleName");
  const QString role_name =
      role.arguments().isEmpty() ? QString() : role.arguments().at(0).toString();
  std::printf("%*s%s\t%s\n", depth * 2, "", role_name.toUtf8().constData(),
              Name(bus, ref).toUtf8().constData());
  if (depth >= kMaxDepth) return;
  const QList<ObjectRef> children = Children(bus, ref);
  for (int i = 0; i < children.size() && i < kMaxChildren; ++i) Print(bus, children[i], depth + 1);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: atspi_tree APP_NAME\n");
    return 2;
  }
  qDBusRegisterMetaType<ObjectRef>();
  qDBusRegisterMetaType<QList<ObjectRef>>();
  // The accessibility bus is a bus of its own; the session bus tells where it is.
  QDBusMessage get = QDBusMessage::createMethodCall(
      QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
      QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"));
  QDBusMessage address = QDBusConnection::sessionBus().call(get, QDBus::Block, 10000);
  if (address.type() != QDBusMessage::ReplyMessage || address.arguments().isEmpty()) {
    std::fprintf(stderr, "no accessibility bus: %s\n", address.errorMessage().toUtf8().constData());
    return 1;
  }
  QDBusConnection bus =
      QDBusConnection::connectToBus(address.arguments().at(0).toString(), QStringLiteral("a11y"));
  if (!bus.isConnected()) {
    std::fprintf(stderr, "cannot connect to the accessibility bus\n");
    return 1;
  }
  const ObjectRef desktop{QStringLiteral("org.a11y.atspi.Registry"),
                          QDBusObjectPath(QStringLiteral("/org/a11y/atspi/accessible/root"))};
  for (const ObjectRef& application : Children(bus, desktop)) {
    if (Name(bus, application) != QString::fromLocal8Bit(argv[1])) continue;
    Print(bus, application, 0);
    return 0;
  }
  std::fprintf(stderr, "%s is not on the accessibility bus\n", argv[1]);
  return 1;
}
