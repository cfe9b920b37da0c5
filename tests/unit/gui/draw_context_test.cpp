// Pixel coverage and coordinate handling of every drawing operation.
#include <gtest/gtest.h>

#include <vector>

#include "canvas.h"
#include "gui/draw_context.h"

namespace {

constexpr raster::Pixel kWhitePixel = 0xFFFFFF;
constexpr raster::Pixel kRedPixel = 0x0000FF;

class DrawContextCoverage : public ::testing::Test {
protected:
    void SetUp() override { headless::resetInput(); }
    Canvas canvas;
    DrawContext context{nullptr, canvas.dc, canvas.window};
};

TEST_F(DrawContextCoverage, FillRectLeavesOutFirstColumnAndRow) {
    context.setFillColor(colorRed);
    context.fillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(canvas.paintedBox(), (raster::Box{1, 1, 10, 10}));
    EXPECT_EQ(canvas.count(kRedPixel), 81);
}

TEST_F(DrawContextCoverage, FrameRectCoversBothOuterColumnsAndRows) {
    context.frameRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(canvas.paintedBox(), (raster::Box{0, 0, 11, 11}));
    EXPECT_EQ(canvas.count(kWhitePixel), 40);
    EXPECT_EQ(canvas.at(5, 5), raster::kBlack);
}

TEST_F(DrawContextCoverage, FrameThenFillCoversTheWholeRectangleInclusive) {
    context.setFillColor(colorRed);
    context.fillRect(Rect(2, 3, 12, 13));
    context.frameRect(Rect(2, 3, 12, 13));
    EXPECT_EQ(canvas.paintedBox(), (raster::Box{2, 3, 13, 14}));
    EXPECT_EQ(canvas.count(kRedPixel) + canvas.count(kWhitePixel), 11 * 11);
}

TEST_F(DrawContextCoverage, OffsetMovesEveryOperation) {
    context.offset = Point(5, 7);
    context.setFillColor(colorRed);
    context.fillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(canvas.paintedBox(), (raster::Box{6, 8, 15, 17}));
    context.drawPoint(Point(0, 0), colorGreen);
    EXPECT_EQ(canvas.at(5, 7), 0x00FF00u);
    EXPECT_EQ(context.getPoint(Point(0, 0)), colorGreen);
}

TEST_F(DrawContextCoverage, LineLeavesOutItsEndPoint) {
    context.moveTo(Point(2, 3));
    context.lineTo(Point(8, 3));
    EXPECT_EQ(canvas.paintedBox(), (raster::Box{2, 3, 8, 4}));
    context.lineTo(Point(8, 9)); // continues from the last end point
    EXPECT_EQ(canvas.paintedBox(), (raster::Box{2, 3, 9, 9}));
    EXPECT_EQ(canvas.at(8, 9), raster::kBlack);
}

TEST_F(DrawContextCoverage, LineAndItsReverseCoverTheSamePixels) {
    Canvas other;
    DrawContext back(nullptr, other.dc, other.window);
    context.moveTo(Point(1, 2));
    context.lineTo(Point(30, 13));
    back.moveTo(Point(30, 13));
    back.lineTo(Point(1, 2));
    // Each leaves out its own end point; add those to compare.
    context.drawPoint(Point(30, 13), colorWhite);
    back.drawPoint(Point(1, 2), colorWhite);
    EXPECT_EQ(canvas.rows(canvas.surface().bounds()), other.rows(other.surface().bounds()));
}

TEST_F(DrawContextCoverage, DottedLinesDrawThreeAndSkipThree) {
    context.setLineStyle(1);
    context.moveTo(Point(0, 0));
    context.lineTo(Point(14, 0));
    EXPECT_EQ(canvas.rows(raster::Box{0, 0, 15, 1}), "###...###...##.\n");
}

TEST_F(DrawContextCoverage, WidePenCoversItsWidth) {
    context.setLineWidth(3);
    context.moveTo(Point(5, 10));
    context.lineTo(Point(25, 10));
    const raster::Box b = canvas.paintedBox();
    EXPECT_EQ(b.top, 9);
    EXPECT_EQ(b.bottom, 12);
    EXPECT_EQ(canvas.at(15, 9), kWhitePixel);
    EXPECT_EQ(canvas.at(15, 11), kWhitePixel);
}

TEST_F(DrawContextCoverage, PolylineDrawsEverySegment) {
    const Point points[] = {{0, 0}, {10, 0}, {10, 10}};
    context.offset = Point(1, 1);
    context.polyline(points, 3);
    EXPECT_EQ(canvas.paintedBox(), (raster::Box{1, 1, 12, 11}));
    EXPECT_EQ(canvas.count(kWhitePixel), 20);
}

TEST_F(DrawContextCoverage, PolylineAndPolygonTakeMoreThanThirtyPoints) {
    std::vector<Point> zigzag;
    for (int i = 0; i < 36; ++i)
        zigzag.emplace_back(i, i % 2 == 0 ? 0 : 3);
    context.polyline(zigzag.data(), static_cast<int>(zigzag.size()));
    EXPECT_EQ(canvas.paintedBox(), (raster::Box{0, 0, 36, 4}));
    EXPECT_EQ(canvas.at(35, 3), raster::kBlack); // the last point is left out

    std::vector<Point> square;
    for (int i = 0; i < 10; ++i)
        square.emplace_back(i, 10);
    for (int i = 0; i < 10; ++i)
        square.emplace_back(10 + i, 10);
    for (int i = 0; i < 10; ++i)
        square.emplace_back(20, 10 + i);
    for (int i = 0; i < 10; ++i)
        square.emplace_back(20 - 2 * i, 20);
    square.emplace_back(0, 20);
    context.setFillColor(colorRed);
    context.fillPolygon(square.data(), static_cast<int>(square.size()));
    EXPECT_EQ(canvas.count(kRedPixel), 200);
}

TEST_F(DrawContextCoverage, FillPolygonHasNoOutline) {
    const Point square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    context.setFillColor(colorRed);
    context.fillPolygon(square, 4);
    EXPECT_EQ(canvas.paintedBox(), (raster::Box{0, 0, 10, 10}));
    EXPECT_EQ(canvas.count(kRedPixel), 100);
    EXPECT_EQ(canvas.count(kWhitePixel), 0);
}

TEST_F(DrawContextCoverage, EllipseOutlineCoversBothOuterEdges) {
    context.drawEllipse(Rect(2, 2, 12, 22));
    EXPECT_EQ(canvas.paintedBox(), (raster::Box{2, 2, 13, 23}));
    EXPECT_EQ(canvas.at(7, 12), raster::kBlack); // hollow
}

TEST_F(DrawContextCoverage, FilledEllipseStartsOnePixelIn) {
    context.setFillColor(colorRed);
    context.fillEllipse(Rect(2, 2, 12, 22));
    EXPECT_EQ(canvas.paintedBox(), (raster::Box{3, 3, 13, 23}));
    EXPECT_EQ(canvas.at(7, 12), kRedPixel);
    EXPECT_EQ(canvas.count(kWhitePixel), 0);
}

TEST_F(DrawContextCoverage, FillArcCoversOnlyItsQuarter) {
    context.setFillColor(colorRed);
    // Counter-clockwise from the east radial to the north radial: the top right quarter.
    context.fillArc(Rect(0, 0, 20, 20), Point(20, 10), Point(10, 0));
    const raster::Box b = canvas.paintedBox();
    EXPECT_GE(b.left, 9);
    EXPECT_LE(b.bottom, 12);
    EXPECT_GT(canvas.count(kRedPixel), 50);
    EXPECT_EQ(canvas.at(15, 5), kRedPixel);
    EXPECT_EQ(canvas.at(5, 15), raster::kBlack);
}

TEST_F(DrawContextCoverage, ArcOutlineFollowsItsSweep) {
    context.drawArc(Rect(0, 0, 20, 20), Point(0, 10), Point(20, 10)); // lower half
    const raster::Box b = canvas.paintedBox();
    EXPECT_GE(b.top, 9);
    EXPECT_EQ(b.bottom, 21);
    EXPECT_EQ(canvas.at(10, 20), kWhitePixel);
}

TEST_F(DrawContextCoverage, PixelsOutsideTheSurfaceReadAsWhite) {
    EXPECT_EQ(context.getPoint(Point(-5, 3)), colorWhite);
    context.drawPoint(Point(3, 4), Color{1, 2, 3, 99});
    EXPECT_EQ(context.getPoint(Point(3, 4)), (Color{1, 2, 3, 0}));
}

TEST_F(DrawContextCoverage, FloodFillFillsTheConnectedAreaOnly) {
    context.frameRect(Rect(5, 5, 15, 15));
    context.setFillColor(colorRed);
    context.floodFill(Point(10, 10));
    EXPECT_EQ(canvas.count(kRedPixel), 81);
    EXPECT_EQ(canvas.at(2, 2), raster::kBlack);
    EXPECT_EQ(canvas.at(5, 5), kWhitePixel);
}

TEST_F(DrawContextCoverage, DrawModesMixThePen) {
    context.setFrameColor(colorGreen);
    context.moveTo(Point(0, 0));
    context.lineTo(Point(10, 0));
    context.setDrawMode(1); // or
    context.setFrameColor(colorRed);
    context.moveTo(Point(0, 0));
    context.lineTo(Point(5, 0));
    EXPECT_EQ(canvas.at(2, 0), 0x00FFFFu); // yellow
    context.setDrawMode(2);                // not xor
    context.moveTo(Point(0, 1));
    context.lineTo(Point(5, 1));
    EXPECT_EQ(canvas.at(2, 1), 0xFFFF00u); // not (black xor red): cyan
    context.setDrawMode(7);                // anything else copies
    context.moveTo(Point(0, 2));
    context.lineTo(Point(5, 2));
    EXPECT_EQ(canvas.at(2, 2), kRedPixel);
}

TEST_F(DrawContextCoverage, ClipRectLimitsDrawingInDeviceCoordinates) {
    context.offset = Point(3, 3);
    context.setClipRect(Rect(0, 0, 8, 8));
    context.setFillColor(colorRed);
    context.fillRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(canvas.paintedBox(), (raster::Box{4, 4, 8, 8}));
    Rect clip;
    EXPECT_EQ(context.getClipRect(clip).right, 8);
    context.resetClipRect();
    EXPECT_EQ(context.getClipRect(clip).right, 1000);
    context.fillRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(canvas.paintedBox(), (raster::Box{4, 4, 23, 23}));
}

TEST_F(DrawContextCoverage, BadInputDrawsNothing) {
    context.polyline(nullptr, 5);
    context.polyline(nullptr, 0);
    const Point one[] = {{1, 1}};
    context.polyline(one, -3);
    context.fillPolygon(nullptr, 40);
    context.fillRect(Rect(10, 10, 11, 11)); // covers nothing
    context.fillEllipse(Rect(10, 10, 10, 30));
    context.drawString(nullptr, Rect(0, 0, 40, 40));
    EXPECT_EQ(context.getStringWidth(nullptr), 0);
    EXPECT_EQ(canvas.paintedBox().right, -(1 << 20));
}

TEST_F(DrawContextCoverage, ReversedRectangleIsFilledAsThePlatformFillsIt) {
    context.setFillColor(colorRed);
    context.fillRect(Rect(20, 20, 10, 10)); // the platform rectangle (21, 21, 10, 10)
    EXPECT_EQ(canvas.paintedBox(), (raster::Box{11, 11, 22, 22}));
}

TEST(DrawContextWithoutTarget, OperationsDoNothingAndDoNotCrash) {
    headless::resetCallCounts();
    DrawContext context(nullptr, nullptr, nullptr);
    context.setFrameColor(colorRed);
    context.setFillColor(colorRed);
    context.setFont(3);
    context.fillRect(Rect(0, 0, 10, 10));
    context.lineTo(Point(5, 5));
    context.drawString("text", Rect(0, 0, 10, 10));
    EXPECT_EQ(context.getPoint(Point(1, 1)), colorWhite);
    EXPECT_EQ(headless::callCount("CreatePenIndirect"), 0);
    EXPECT_EQ(headless::callCount("CreateBrushIndirect"), 0);
    Rect clip;
    EXPECT_EQ(context.getClipRect(clip).right, 1000);
}

} // namespace
