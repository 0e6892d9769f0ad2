# The source lists shared by the program's build and the fuzz build, so neither keeps a copy.
get_filename_component(zoma_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

# The panel's logic: the link, the replies, the commands, the form and the pure platform parts.
# Nothing here includes Qt.
set(ZOMA_LOGIC_SOURCES
    commands/AdjustmentModes.cpp
    commands/CommandTables.cpp
    commands/HoldRepeat.cpp
    form/ControlNames.cpp
    form/ControlTable.cpp
    form/Form1.cpp
    form/Panels.cpp
    link/CommandLink.cpp
    link/PortSelection.cpp
    link/RxLine.cpp
    platform/CommandLine.cpp
    platform/LineSettings.cpp
    platform/OpenFailure.cpp
    platform/PortNaming.cpp
    platform/SettingsFile.cpp
    platform/SmallFile.cpp
    platform/TcpDevice.cpp
    queue/Request.cpp
    queue/RequestQueue.cpp
    replies/MonitorText.cpp
    replies/ProjectorValues.cpp
    replies/StatusDecoding.cpp
)
list(TRANSFORM ZOMA_LOGIC_SOURCES PREPEND "${zoma_root}/")

# The gateway's logic: keeping its line, PJLink class 1 and raw clients on the request queue,
# the metrics and their HTTP exchange. No Qt either.
set(ZOMA_GATEWAY_SOURCES
    gateway/Gateway.cpp
    gateway/GatewayOptions.cpp
    gateway/HttpExchange.cpp
    gateway/HttpSession.cpp
    gateway/LineKeeper.cpp
    gateway/ListenAddress.cpp
    gateway/Md5.cpp
    gateway/MetricsText.cpp
    gateway/PasswordFile.cpp
    gateway/PjlinkCommands.cpp
    gateway/PjlinkLine.cpp
    gateway/PjlinkSession.cpp
    gateway/Poller.cpp
    gateway/ProjectorMemory.cpp
    gateway/RawSession.cpp
)
list(TRANSFORM ZOMA_GATEWAY_SOURCES PREPEND "${zoma_root}/")

# Test doubles of the logic's interfaces: a virtual clock, a scripted port, a recording window.
set(ZOMA_DOUBLES_SOURCES
    tests/doubles/FakeWindow.cpp
    tests/doubles/ScriptedPort.cpp
    tests/doubles/VirtualClock.cpp
)
list(TRANSFORM ZOMA_DOUBLES_SOURCES PREPEND "${zoma_root}/")
