#include <gtest/gtest.h>

#include "retained/Engine.h"
#include "retained/MeshBuilder.h"

namespace kvx::rm {
namespace {

std::shared_ptr<MeshBuilder> NewBuilder() {
    Engine e;
    std::shared_ptr<MeshBuilder> b;
    e.CreateMeshBuilder(b);
    return b;
}

TEST(MeshBuilder, IndicesStayValidAndBadOnesAreRefused) {
    auto b = NewBuilder();
    EXPECT_EQ(b->AddVertex(1, 2, 3), 0);
    EXPECT_EQ(b->AddVertex(4, 5, 6), 1);
    EXPECT_EQ(b->AddNormal(0, 1, 0), 0);
    EXPECT_LT(b->SetVertex(2, 0, 0, 0), 0);
    EXPECT_LT(b->SetVertex(-1, 0, 0, 0), 0);
    EXPECT_LT(b->SetNormal(1, 0, 0, 0), 0);
    const auto before = b->Revision();
    EXPECT_EQ(b->SetVertex(1, 7, 8, 9), Ok);
    EXPECT_GT(b->Revision(), before);
    EXPECT_EQ(b->Positions()[1], (Vec3f{7, 8, 9}));

    Face f;
    ASSERT_EQ(b->CreateFace(f), Ok);
    EXPECT_FALSE(b->Faces()[0].added);
    EXPECT_EQ(b->AddFace(f), Ok);
    EXPECT_TRUE(b->Faces()[0].added);
    EXPECT_LT(f.AddVertexAndNormalIndexed(2, 0), 0);
    EXPECT_LT(f.AddVertexAndNormalIndexed(0, 1), 0);
    EXPECT_LT(f.AddVertexAndNormalIndexed(-1, 0), 0);
    EXPECT_EQ(f.VertexCount(), 0);
    for (int k = 0; k < MaxFaceCorners; ++k)
        EXPECT_EQ(f.AddVertexAndNormalIndexed(k % 2, 0), Ok);
    EXPECT_EQ(f.AddVertexAndNormalIndexed(0, 0), ErrFull);
    EXPECT_EQ(f.VertexCount(), MaxFaceCorners);

    // Two faces built in turns keep their own corners.
    Face g, h;
    ASSERT_EQ(b->CreateFace(g), Ok);
    ASSERT_EQ(b->CreateFace(h), Ok);
    for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(g.AddVertexAndNormalIndexed(k % 2, 0), Ok);
        ASSERT_EQ(h.AddVertexAndNormalIndexed(1 - k % 2, 0), Ok);
    }
    const Corner* gc = b->CornersOf(b->Faces()[1]);
    const Corner* hc = b->CornersOf(b->Faces()[2]);
    EXPECT_EQ(gc[0].vertex * 100 + gc[1].vertex * 10 + gc[2].vertex, 10);
    EXPECT_EQ(hc[0].vertex * 100 + hc[1].vertex * 10 + hc[2].vertex, 101);
    EXPECT_EQ(b->CornersOf(b->Faces()[0])[MaxFaceCorners - 1].vertex, 1);

    Face empty;
    EXPECT_LT(empty.SetColorRGB(1, 1, 1), 0);
    auto other = NewBuilder();
    EXPECT_LT(other->AddFace(f), 0);  // a face of another builder
}

TEST(MeshBuilder, FacesByNumberAreAddedAtOnceAndRefuseNumbersTheyDoNotHave) {
    auto b = NewBuilder();
    for (int k = 0; k < 3; ++k) {
        b->AddVertex(k, 0, 0);
        b->AddNormal(0, 0, k);
    }
    Face made;
    ASSERT_EQ(b->CreateFace(made), Ok);  // a face only created, not added, takes number 0
    const std::int32_t f = b->NewFace();
    EXPECT_EQ(f, 1);
    EXPECT_TRUE(b->Faces()[1].added);
    for (int k = 0; k < 3; ++k)
        ASSERT_EQ(b->AddCorner(f, k, 2 - k), Ok);
    EXPECT_EQ(b->FaceNormalIndex(f, 0), 2);
    EXPECT_EQ(b->FaceNormalIndex(f, 3), -1);
    ASSERT_EQ(b->ReverseFaceCorners(f), Ok);
    EXPECT_EQ(b->CornersOf(b->Faces()[1])[0].vertex, 2);
    EXPECT_EQ(b->FaceNormalIndex(f, 0), 0);  // each corner keeps its normal
    ASSERT_EQ(b->SetFaceColor(f, 0.5, 0.25, 1), Ok);
    EXPECT_EQ(b->Faces()[1].color, (Vec3f{0.5f, 0.25f, 1.0f}));

    for (const std::int32_t bad : {-1, 2}) {
        EXPECT_EQ(b->AddCorner(bad, 0, 0), ErrBadObject);
        EXPECT_LT(b->SetFaceColor(bad, 1, 1, 1), 0);
        EXPECT_LT(b->ReverseFaceCorners(bad), 0);
        EXPECT_EQ(b->FaceNormalIndex(bad, 0), -1);
    }
    EXPECT_EQ(b->AddCorner(f, 3, 0), ErrBadValue);
    EXPECT_EQ(b->FaceCount(), 2);
    EXPECT_EQ(b->CornerCount(), 3u);
}

TEST(MeshBuilder, FaceNormalOfTheFirstThreeCorners) {
    auto b = NewBuilder();
    b->AddVertex(0, 0, 0);
    b->AddVertex(0, 0, 2);
    b->AddVertex(3, 0, 0);
    b->AddVertex(5, 5, 5);
    b->AddNormal(0, 0, 0);
    Face f;
    b->CreateFace(f);
    Vec3 n{9, 9, 9};
    EXPECT_EQ(f.GetNormal(n), Ok);
    EXPECT_EQ(n, Vec3{});  // fewer than three corners
    for (int v : {0, 1, 2, 3})
        f.AddVertexAndNormalIndexed(v, 0);
    f.GetNormal(n);
    EXPECT_NEAR(n.y, 1.0, 1e-12);
    Face line;
    b->CreateFace(line);
    for (int v : {0, 0, 1})
        line.AddVertexAndNormalIndexed(v, 0);
    line.GetNormal(n);
    EXPECT_EQ(n, Vec3{});
}

TEST(MeshBuilder, AddFacesChecksEverythingFirst) {
    auto b = NewBuilder();
    const Vec3f v[4] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    const std::uint32_t bad[] = {3, 0, 1, 2, 3, 0, 1, 4, 0};
    EXPECT_LT(b->AddFaces(4, v, 0, nullptr, bad), 0);
    EXPECT_EQ(b->VertexCount(), 0);
    EXPECT_EQ(b->FaceCount(), 0);
    const std::uint32_t good[] = {4, 0, 1, 2, 3, 3, 2, 1, 0, 0};
    b->AddVertex(9, 9, 9);  // indices are relative to the call's first vertex
    ASSERT_EQ(b->AddFaces(4, v, 0, nullptr, good), Ok);
    ASSERT_EQ(b->FaceCount(), 2);
    EXPECT_EQ(b->Faces()[0].cornerCount, 4);
    EXPECT_EQ(b->CornersOf(b->Faces()[0])[0].vertex, 1);
    EXPECT_EQ(b->CornersOf(b->Faces()[1])[0].vertex, 3);
    EXPECT_EQ(b->Faces()[1].cornerCount, 3);
    EXPECT_EQ(b->CornersOf(b->Faces()[1])[0].normal, -1);
    EXPECT_TRUE(b->Faces()[1].added);
}

TEST(MeshBuilder, AFaceKeepsItsBuilderAlive) {
    Face f;
    {
        auto b = NewBuilder();
        b->AddVertex(1, 1, 1);
        b->AddNormal(0, 1, 0);
        b->CreateFace(f);
    }
    EXPECT_EQ(f.AddVertexAndNormalIndexed(0, 0), Ok);
    EXPECT_EQ(f.SetColorRGB(0.5, 0.5, 0.5), Ok);
}

}  // namespace
}  // namespace kvx::rm

namespace kvx {
namespace {

TEST(LargeAllocator, BigBlocksStartOnHugePagesAndHoldTheirData) {
    LargeVector<std::uint32_t> big(3 * HugePageSize / 4 + 5);
    if (LargeAllocatorMaps) {
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(big.data()) % HugePageSize, 0u);
    }
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<std::uint32_t>(i);
    big.resize(big.size() * 3);  // moves to a bigger block
    EXPECT_EQ(big[12345], 12345u);
    EXPECT_EQ(big.back(), 0u);
    LargeVector<char> small(100, 'x');
    EXPECT_EQ(small[99], 'x');
}

TEST(MeshBuilder, NormalLogKeepsTheValueBeforeEachNormalsFirstChange) {
    auto b = rm::NewBuilder();
    for (int i = 0; i < 70; ++i)  // more than one word of marks
        b->AddNormal(i, 0, 0);
    b->StartNormalLog();
    b->SetNormal(3, 0, 1, 0);
    b->SetNormal(3, 0, 0, 1);  // a second change: the first old value stays
    b->SetNormal(5, 5, 0, 0);  // the same bits: no change
    b->SetNormal(66, 0, 2, 0);
    const std::int32_t added = b->AddNormal(9, 9, 9);
    b->SetNormal(added, 1, 1, 1);  // added after the start: not kept
    const auto log = b->TakeNormalLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].index, 3);
    EXPECT_EQ(log[0].value, (rm::Vec3f{3, 0, 0}));
    EXPECT_EQ(log[1].index, 66);
    EXPECT_EQ(log[1].value, (rm::Vec3f{66, 0, 0}));
    // Ended: changes are no longer kept.
    b->SetNormal(7, 0, 7, 0);
    EXPECT_TRUE(b->TakeNormalLog().empty());
    b->StartNormalLog();
    b->Clear();
    b->AddNormal(1, 0, 0);
    b->SetNormal(0, 0, 0, 1);
    EXPECT_TRUE(b->TakeNormalLog().empty());
}

}  // namespace
}  // namespace kvx
