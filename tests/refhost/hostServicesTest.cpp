// The reference host's streams and attribute set.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "corelib/standInControl.h"
#include "host/mutex_c.h"
#include "host/tavrelcore.h"
#include "refhost/refAttributes.h"
#include "refhost/refStreams.h"

namespace {

using ::testing::ElementsAre;
using refhost::attributeCall_c;
using refhost::hostCall_c;

TEST(memoryInStream, readsStopAtTheEndAndRewindStartsOver)
{
    refhost::memoryInStream_c in("InChI=1S/CH4");
    std::vector<std::string> ops;
    in.setHook([&](const hostCall_c& c) { ops.push_back(c.op); });
    EXPECT_EQ(in.size(), 12u);
    char buffer[16] = {};
    EXPECT_EQ(in.read(buffer, 8), 8u);
    EXPECT_EQ(std::string(buffer, 8), "InChI=1S");
    EXPECT_EQ(in.read(buffer, 10), 4u);
    EXPECT_EQ(std::string(buffer, 4), "/CH4");
    EXPECT_EQ(in.read(buffer, 10), 0u);
    in.rewind();
    EXPECT_EQ(in.read(buffer, 5), 5u);
    EXPECT_EQ(std::string(buffer, 5), "InChI");
    EXPECT_THAT(ops, ElementsAre("size", "read", "read", "read", "rewind", "read"));
}

TEST(fileStreams, sizeKeepsThePositionAndLinesEndWithNewline)
{
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    refhost::fileOutStream_c out(file);
    out.write("InChI=1S/H2O/h1H2");
    out.writeLine("");
    out.writeLine("AuxInfo=1/0/N:1/rA:1O/rB:/rC:;");
    std::rewind(file);

    refhost::fileInStream_c in(file);
    char buffer[64] = {};
    EXPECT_EQ(in.read(buffer, 6), 6u);
    EXPECT_EQ(in.size(), 49u);
    EXPECT_EQ(in.read(buffer, 11), 11u);
    EXPECT_EQ(std::string(buffer, 11), "1S/H2O/h1H2");
    in.rewind();
    EXPECT_EQ(in.read(buffer, 64), 49u);
    EXPECT_EQ(std::string(buffer, 49), "InChI=1S/H2O/h1H2\nAuxInfo=1/0/N:1/rA:1O/rB:/rC:;\n");
    std::fclose(file);
}

TEST(memoryOutStream, collectsTheText)
{
    refhost::memoryOutStream_c out;
    int calls = 0;
    out.setHook([&](const hostCall_c&) { ++calls; });
    out.write("a");
    out.writeLine("b");
    out.writeLine("");
    EXPECT_EQ(out.text(), "ab\n\n");
    EXPECT_EQ(calls, 3);
}

TEST(refAttributes, recordsInOrderWithStatusFromTheCallback)
{
    refhost::refAttributes_c attributes;
    EXPECT_EQ(attributes.openGroup(0x65), 1u);
    attributes.setStatus([](const attributeCall_c& c) { return c.key == 0x0A02 ? 0u : 3u; });
    EXPECT_EQ(attributes.setProperty(0x6501, 1), 3u);
    EXPECT_EQ(attributes.setValue(0x0A02, 1), 0u);
    EXPECT_THAT(attributes.calls(), ElementsAre(attributeCall_c{"openGroup", 0x65, 0},
                                                attributeCall_c{"setProperty", 0x6501, 1},
                                                attributeCall_c{"setValue", 0x0A02, 1}));
}

TEST(refAttributes, aThrowingCallbackPropagatesAndTheCallStaysRecorded)
{
    refhost::refAttributes_c attributes;
    attributes.setStatus([](const attributeCall_c&) -> uint32_t { throw std::runtime_error("host failure"); });
    EXPECT_THROW(attributes.openGroup(10), std::runtime_error);
    EXPECT_THAT(attributes.calls(), ElementsAre(attributeCall_c{"openGroup", 10, 0}));
}

TEST(hostServices, streamAndAttributeCallsUnderTheLockAreCounted)
{
    mutex_c* lock = nullptr;
    TavrCreateMutex(&lock);
    ASSERT_NE(lock, nullptr);
    refhost::resetLockHeldDuringHostCall();
    refhost::memoryInStream_c in("x");
    refhost::memoryOutStream_c out;
    refhost::refAttributes_c attributes;
    lock->lock();
    in.size();
    out.writeLine("y");
    attributes.openGroup(10);
    lock->unlock();
    in.rewind();
    EXPECT_EQ(refhost::lockHeldDuringHostCall(), 3u);
    lock->release();
}

}  // namespace
