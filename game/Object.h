// Drawable objects and the process-wide drawing list. The list's order is the
// order of construction, which is the painting order.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

class DrawSurface;

class Object {
public:
    Object(Object* parent, std::int32_t x, std::int32_t y);
    virtual ~Object();

    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    // Draws the object into the frame being composed. Called only while visible.
    virtual void draw(DrawSurface& target) = 0;

    // Positions are relative to the parent; nothing is cached, so moving a
    // parent moves its children.
    std::int32_t absoluteX() const;
    std::int32_t absoluteY() const;

    Object* parent;
    bool visible = false;
    std::int32_t x;
    std::int32_t y;
};

// Every Object is on this list from construction to destruction.
class DrawingList {
public:
    static DrawingList& instance();

    void add(Object* object);
    void remove(Object* object);

    // Calls visit(object) for every object in painting order.
    template <class Visit>
    void forEach(Visit visit) const
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        for (Object* object : objects_)
            visit(*object);
    }

private:
    DrawingList() = default;

    mutable std::mutex mutex_;
    std::vector<Object*> objects_;
};
