// The windows the probe knows and the clicks it makes: the tour's timed hops
// and the rest of its walk through every scene, the bare program's two swaps.
#pragma once

#include "probe_x_session.h"

#include <string>
#include <vector>

// Probe pixels: background and fixed drawing of each window, from the scene
// tables (twips / 15), away from buttons that change with hover or focus.
inline const Target kTitle{"Varn's House", 312, 112, {{4, 4}, {306, 106}, {118, 78}}};
inline const Target kStreet{"Form2", 312, 206, {{4, 4}, {300, 150}, {150, 168}}};
inline const Target kGround{"Form7", 312, 206, {{150, 100}, {300, 200}, {248, 150}}};
inline const Target kDriveway{"3", 312, 206, {{4, 200}, {300, 200}, {100, 168}}};
inline const Target kBareTitle{"Varn's House", 312, 112, {{4, 4}, {306, 106}, {156, 56}}};
inline const Target kBareStreet{"Form2", 312, 206, {{4, 4}, {306, 200}, {156, 103}}};

// A click on the client pixel of one window that leads to another.
struct Hop {
    const char* name; // the row it is reported under, or null when it is not timed
    Target to;
    Point at;
    const char* button; // what is clicked, for messages
};

inline Target Plain(const char* title) {
    return {title, 312, 206, {}};
}

// Title, street, ground floor (first visit), driveway, ground floor again
// (return visit): the timed part of the tour.
inline const std::vector<Hop> kTourTimed = {
    {"title->street (first)", kStreet, {152, 84}, "Enter"},
    {"street->ground (first)", kGround, {216, 120}, "the house number 512"},
    {nullptr, kDriveway, {280, 64}, "Garage Door"},
    {"driveway->ground (return)", kGround, {160, 72}, "Garage Door"},
};

// The rest of the house, so that every scene has been built once.
inline const std::vector<Hop> kTourRest = {
    {nullptr, Plain("Form9"), {68, 112}, "TV is here"},
    {nullptr, kGround, {152, 180}, "Stop Playing"},
    {nullptr, Plain("Form10"), {24, 32}, "The Hallway"},
    {nullptr, Plain("Form6"), {112, 152}, "Varn's Room"},
    {nullptr, kTitle, {152, 136}, "Reincarnate"},
    {nullptr, kStreet, {152, 84}, "Enter"},
    {nullptr, kDriveway, {220, 72}, "Enter the Driveway"},
    {nullptr, Plain("Form5"), {236, 128}, "TR-6"},
    {nullptr, kTitle, {152, 136}, "Reincarnate"},
    {nullptr, kStreet, {152, 84}, "Enter"},
    {nullptr, kDriveway, {220, 72}, "Enter the Driveway"},
    {nullptr, Plain("Form4"), {56, 120}, "Front Door"},
};

inline const std::vector<Hop> kBareTimed = {
    {"title->street (first)", kBareStreet, {152, 84}, "Enter"},
    {nullptr, kBareTitle, {152, 84}, "the street window"},
    {"title->street (return)", kBareStreet, {152, 84}, "Enter"},
};

struct Program {
    std::string name;
    std::string path;
    Target first;
    std::vector<Hop> timed;
    std::vector<Hop> rest;
};
