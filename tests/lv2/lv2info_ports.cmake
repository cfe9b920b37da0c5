# lv2info lists the plug-in with its name, vendor, class and every port as hosts
# need them: symbol, direction and type, the gains' range and default, and
# the MIDI ports as optional connections.
#   cmake -D URI=... -P lv2info_ports.cmake   (LV2_PATH from the environment)
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND lv2info ${URI} OUTPUT_VARIABLE info RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "lv2info failed (${status})")
endif()

function(require text pattern what)
    if(NOT text MATCHES "${pattern}")
        message(FATAL_ERROR "lv2info shows no ${what} (${pattern}) in:\n${text}")
    endif()
endfunction()

require("${info}" "Name: +Tarvel\n" "name")
require("${info}" "Author: +Ostrand\n" "vendor")
# Hosts file plug-ins by their class: the delays, not a bare plug-in.
require("${info}" "Class: +Delay Plugin\n" "plug-in class")

# Each port's lines, from its heading to the next one; lilv lists a port's
# types in no fixed order.
string(REGEX MATCHALL "\tPort [0-9]+:\n(\t\t[^\n]*\n|\t\t\t[^\n]*\n|\n)*" blocks "${info}")
list(LENGTH blocks count)
if(NOT count EQUAL 8)
    message(FATAL_ERROR "lv2info lists ${count} ports, not 8:\n${info}")
endif()
set(ports
    "in_left Input Audio" "in_right Input Audio" "out_left Output Audio"
    "out_right Output Audio" "ncvolume Input Control" "ipvolume Input Control"
    "midi_in Input Atom" "midi_out Output Atom")
foreach(index RANGE 7)
    list(GET blocks ${index} block)
    list(GET ports ${index} port)
    separate_arguments(port)
    list(GET port 0 symbol)
    list(GET port 1 direction)
    list(GET port 2 type)
    require("${block}" "Port ${index}:" "port ${index}")
    require("${block}" "Symbol: +${symbol}\n" "symbol ${symbol} for port ${index}")
    require("${block}" "lv2core#${direction}Port" "${direction} port ${symbol}")
    require("${block}" "#${type}Port" "${type} port ${symbol}")
    if(type STREQUAL "Control")
        require("${block}" "Minimum: +0.000000\n" "minimum of ${symbol}")
        require("${block}" "Maximum: +1.000000\n" "maximum of ${symbol}")
        require("${block}" "Default: +1.000000\n" "default of ${symbol}")
        require("${block}" "0 dB" "decibel scale points of ${symbol}")
    elseif(type STREQUAL "Atom")
        require("${block}" "connectionOptional" "optional connection of ${symbol}")
    endif()
endforeach()
