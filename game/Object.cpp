#include "game/Object.h"

#include <algorithm>

Object::Object(Object* parent, std::int32_t x, std::int32_t y)
    : parent(parent), x(x), y(y)
{
    DrawingList::instance().add(this);
}

Object::~Object()
{
    DrawingList::instance().remove(this);
}

std::int32_t Object::absoluteX() const
{
    return parent ? x + parent->absoluteX() : x;
}

std::int32_t Object::absoluteY() const
{
    return parent ? y + parent->absoluteY() : y;
}

DrawingList& DrawingList::instance()
{
    static DrawingList list;
    return list;
}

void DrawingList::add(Object* object)
{
    const std::lock_guard<std::mutex> guard(mutex_);
    objects_.push_back(object);
}

void DrawingList::remove(Object* object)
{
    const std::lock_guard<std::mutex> guard(mutex_);
    objects_.erase(std::remove(objects_.begin(), objects_.end(), object), objects_.end());
}
